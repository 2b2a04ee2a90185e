// The program's entry: the platform runtime (options, device root, clock,
// display) around the application object, which provisions the device root
// once it knows that it may run. The build's language is handed over first.

#include "app/CZorunApp.h"
#include "platform/backend/Platform.h"
#include "res/LanguageResources.h"

int main(int argc, char** argv) {
    zorun::res::UseLanguage(zorun::res::ZORUN_LANGUAGE());
    return zorun::RunPlatform(argc, argv, [] {
        CZorunApp app;
        return zorun::RunApplication(app);
    });
}
