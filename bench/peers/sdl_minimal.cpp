// The reference for start-up time and memory: the least an SDL2 program does
// to show one frame the way zorun shows its screen (a 480 x 640 window, the
// plain framebuffer path, one present), then it waits to be closed.

#include <SDL.h>

int main() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Window* window = SDL_CreateWindow("sdl-minimal", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, 480, 640, SDL_WINDOW_SHOWN);
    if (!window)
        return 1;
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x30, 0x60, 0xA0));
    SDL_UpdateWindowSurface(window);
    SDL_Event event;
    while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED)
            SDL_UpdateWindowSurface(window);
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
