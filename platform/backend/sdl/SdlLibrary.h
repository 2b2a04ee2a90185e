#pragma once
// SDL2, loaded when the SDL backend is chosen and not before: a program on
// X11 or headless never maps it or the libraries it pulls in (sound, input,
// Wayland, GL loaders). The functions the backend calls, resolved once.

#include <SDL.h>

#include <string>

namespace zorun {

struct SdlLibrary {
    decltype(&::SDL_SetHint) SetHint = nullptr;
    decltype(&::SDL_Init) Init = nullptr;
    decltype(&::SDL_Quit) Quit = nullptr;
    decltype(&::SDL_GetCurrentVideoDriver) GetCurrentVideoDriver = nullptr;
    decltype(&::SDL_GetError) GetError = nullptr;
    decltype(&::SDL_GetDesktopDisplayMode) GetDesktopDisplayMode = nullptr;
    decltype(&::SDL_CreateWindow) CreateWindow = nullptr;
    decltype(&::SDL_DestroyWindow) DestroyWindow = nullptr;
    decltype(&::SDL_GetWindowSize) GetWindowSize = nullptr;
    decltype(&::SDL_RaiseWindow) RaiseWindow = nullptr;
    decltype(&::SDL_GetWindowSurface) GetWindowSurface = nullptr;
    decltype(&::SDL_UpdateWindowSurface) UpdateWindowSurface = nullptr;
    decltype(&::SDL_LockSurface) LockSurface = nullptr;
    decltype(&::SDL_UnlockSurface) UnlockSurface = nullptr;
    decltype(&::SDL_FillRect) FillRect = nullptr;
    decltype(&::SDL_MapRGB) MapRGB = nullptr;
    decltype(&::SDL_PollEvent) PollEvent = nullptr;
    decltype(&::SDL_WaitEventTimeout) WaitEventTimeout = nullptr;
    decltype(&::SDL_StartTextInput) StartTextInput = nullptr;
    decltype(&::SDL_StopTextInput) StopTextInput = nullptr;
    decltype(&::SDL_SetClipboardText) SetClipboardText = nullptr;
    decltype(&::SDL_GetClipboardText) GetClipboardText = nullptr;
    decltype(&::SDL_free) Free = nullptr;
};

// Loads SDL2 (once; it stays for the life of the process). nullptr with
// `error` set when it is not installed or lacks a function.
[[nodiscard]] const SdlLibrary* LoadSdlLibrary(std::string* error);

} // namespace zorun
