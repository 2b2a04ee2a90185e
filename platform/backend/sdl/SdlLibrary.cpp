#include "platform/backend/sdl/SdlLibrary.h"

#include <dlfcn.h>

#include "platform/base/LibrarySymbol.h"

namespace zorun {

namespace {

constexpr const char* kLibraryName = "libSDL2-2.0.so.0";

template <typename Function>
bool Resolve(void* handle, const char* name, Function& target, std::string* missing) {
    const bool found = ResolveSymbol(handle, name, target);
    if (!found && missing->empty())
        *missing = name;
    return found;
}

} // namespace

const SdlLibrary* LoadSdlLibrary(std::string* error) {
    static SdlLibrary library;
    static bool loaded = false;
    if (loaded)
        return &library;
    void* handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error)
            *error = std::string("SDL2 is not installed (") + dlerror() + ")";
        return nullptr;
    }
    std::string missing;
    SdlLibrary& l = library;
    Resolve(handle, "SDL_SetHint", l.SetHint, &missing);
    Resolve(handle, "SDL_Init", l.Init, &missing);
    Resolve(handle, "SDL_Quit", l.Quit, &missing);
    Resolve(handle, "SDL_GetCurrentVideoDriver", l.GetCurrentVideoDriver, &missing);
    Resolve(handle, "SDL_GetError", l.GetError, &missing);
    Resolve(handle, "SDL_GetDesktopDisplayMode", l.GetDesktopDisplayMode, &missing);
    Resolve(handle, "SDL_CreateWindow", l.CreateWindow, &missing);
    Resolve(handle, "SDL_DestroyWindow", l.DestroyWindow, &missing);
    Resolve(handle, "SDL_GetWindowSize", l.GetWindowSize, &missing);
    Resolve(handle, "SDL_RaiseWindow", l.RaiseWindow, &missing);
    Resolve(handle, "SDL_GetWindowSurface", l.GetWindowSurface, &missing);
    Resolve(handle, "SDL_UpdateWindowSurface", l.UpdateWindowSurface, &missing);
    Resolve(handle, "SDL_LockSurface", l.LockSurface, &missing);
    Resolve(handle, "SDL_UnlockSurface", l.UnlockSurface, &missing);
    Resolve(handle, "SDL_FillRect", l.FillRect, &missing);
    Resolve(handle, "SDL_MapRGB", l.MapRGB, &missing);
    Resolve(handle, "SDL_PollEvent", l.PollEvent, &missing);
    Resolve(handle, "SDL_WaitEventTimeout", l.WaitEventTimeout, &missing);
    Resolve(handle, "SDL_StartTextInput", l.StartTextInput, &missing);
    Resolve(handle, "SDL_StopTextInput", l.StopTextInput, &missing);
    Resolve(handle, "SDL_SetClipboardText", l.SetClipboardText, &missing);
    Resolve(handle, "SDL_GetClipboardText", l.GetClipboardText, &missing);
    Resolve(handle, "SDL_free", l.Free, &missing);
    if (!missing.empty()) {
        if (error)
            *error = std::string(kLibraryName) + " lacks " + missing;
        dlclose(handle);
        library = {};
        return nullptr;
    }
    loaded = true;
    return &library;
}

} // namespace zorun
