/* SDL_GetVideoInfo as a desktop's SDL 1.2 fills it in, where Emscripten's
   gives only the size: the canvas's size, no hardware surfaces or blits
   (WebGL draws them all), and the canvas's 32-bit RGBA pixel format. */
#include <SDL.h>
#include <emscripten/html5.h>

const SDL_VideoInfo *SDL_GetVideoInfo(void)
{
    static SDL_PixelFormat FORMAT = {.BitsPerPixel = 32, .BytesPerPixel = 4,
                                     .Rmask = 0x000000ff, .Gmask = 0x0000ff00, .Bmask = 0x00ff0000,
                                     .Amask = 0xff000000, .Gshift = 8, .Bshift = 16, .Ashift = 24};
    static SDL_VideoInfo INFO;
    INFO.vfmt = &FORMAT;
    emscripten_get_canvas_element_size("#canvas", &INFO.current_w, &INFO.current_h);
    return &INFO;
}
