#include "platform/barewindow.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "platform/window.h"

namespace platform {

void BareWindowFrames::RunFrame() {
  SDL_Window* window = static_cast<SDL_Window*>(NativeWindow());
  if (!window || !SDL_GL_GetCurrentContext()) return;
  static const auto bindFramebuffer =
      reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBindFramebuffer"));
  if (bindFramebuffer) bindFramebuffer(GL_FRAMEBUFFER, 0);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  SDL_GL_SwapWindow(window);
  pacer_.Wait();
}

}  // namespace platform
