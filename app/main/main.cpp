// The program's entry: the platform runtime (options, device root, clock,
// display) around the application object. The build's language is handed
// over first; a new device root is provisioned next, so the very first start
// shows the default groups on their pictures.

#include "app/CZorunApp.h"
#include "app/DeviceProvisioning.h"
#include "platform/backend/Platform.h"
#include "platform/kernel/DeviceRoot.h"
#include "res/LanguageResources.h"

int main(int argc, char** argv) {
    zorun::res::UseLanguage(zorun::res::ZORUN_LANGUAGE());
    return zorun::RunPlatform(argc, argv, [] {
        // A root that cannot be provisioned still runs: the program then
        // shows what it finds, as on a device without those files.
        (void)ProvisionDeviceRootIfNew(zorun::DeviceRoot());
        CZorunApp app;
        return zorun::RunApplication(app);
    });
}
