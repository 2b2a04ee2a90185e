// The program's entry: the platform runtime (options, device root, clock,
// display) around the application object. A new device root is provisioned
// first, so the very first start shows the default groups on their pictures.

#include "app/CZorunApp.h"
#include "app/DeviceProvisioning.h"
#include "platform/backend/Platform.h"
#include "platform/kernel/DeviceRoot.h"

int main(int argc, char** argv) {
    return zorun::RunPlatform(argc, argv, [] {
        // A root that cannot be provisioned still runs: the program then
        // shows what it finds, as on a device without those files.
        (void)ProvisionDeviceRootIfNew(zorun::DeviceRoot());
        CZorunApp app;
        return zorun::RunApplication(app);
    });
}
