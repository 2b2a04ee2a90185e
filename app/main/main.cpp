// The program's entry: the platform runtime (options, device root, clock,
// display) around the application object, which provisions the device root
// once it knows that it may run.

#include "app/CZorunApp.h"
#include "platform/backend/Platform.h"

int main(int argc, char** argv) {
    return zorun::RunPlatform(argc, argv, [] {
        CZorunApp app;
        return zorun::RunApplication(app);
    });
}
