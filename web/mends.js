// Mends of Emscripten's SDL 1.2 and of its emulation of fixed-function
// OpenGL, where they fall short of what Duruv asks and a desktop's OpenGL
// does. Passed to the linker with --js-library: a function here takes the
// place of the library's own of the same name.
mergeInto(LibraryManager.library, {
  // The material calls Duruv makes: ambient and diffuse in one call, and
  // the shininess as a single value.
  glMaterialfv__deps: ['$GLEmulation'],
  glMaterialfv: function(face, pname, param) {
    var value = HEAPF32.subarray(param >> 2, (param >> 2) + 4);
    if (pname == 0x1200 || pname == 0x1602) GLEmulation.materialAmbient.set(value);   // GL_AMBIENT(_AND_DIFFUSE)
    if (pname == 0x1201 || pname == 0x1602) GLEmulation.materialDiffuse.set(value);   // GL_DIFFUSE
    if (pname == 0x1202) GLEmulation.materialSpecular.set(value);                     // GL_SPECULAR
    if (pname == 0x1601) GLEmulation.materialShininess[0] = value[0];                 // GL_SHININESS
  },
  glMaterialf__deps: ['$GLEmulation'],
  glMaterialf: function(face, pname, param) {
    if (pname == 0x1601) GLEmulation.materialShininess[0] = param;                    // GL_SHININESS
  },
  glLightModeli__deps: ['$GLEmulation'],
  glLightModeli: function(pname, param) {
    if (pname == 0x0B52) GLEmulation.lightModelTwoSide = param != 0;                  // GL_LIGHT_MODEL_TWO_SIDE
  },

  // Smooth shading is the emulation's only kind, and Duruv's.
  glShadeModel: function(mode) {},

  // WebGL has no perspective correction hint (it always corrects): the
  // emulation would pass it on and WebGL report an error.
  glHint: function(target, mode) {
    if (target != 0x0C50) GLctx.hint(target, mode);                                   // GL_PERSPECTIVE_CORRECTION_HINT
  },

  // A light whose position has w = 1 stands at that point, as Duruv's light
  // at the eye does; the emulation's shaders take every light as a
  // direction. Its vertex shader is given the direction from the vertex
  // to the light instead, which is the same for a light with w = 0. (It
  // comes with the swap, which every build links.)
  $DuruvLights__postset: 'DuruvLights.mend();',
  $DuruvLights: {
    mend: function() {
      var shaderSource = WebGLRenderingContext.prototype.shaderSource;
      WebGLRenderingContext.prototype.shaderSource = function(shader, source) {
        shaderSource.call(this, shader, source.replace(/normalize\(u_lightPosition(\d+)\)\.xyz/g,
          'normalize(u_lightPosition$1.xyz - ecPosition.xyz * u_lightPosition$1.w)'));
      };
    }
  },

  // Each swap waits for the browser's next animation frame: the display's
  // pace, as a swap that waits for the display's refresh. Meanwhile the
  // browser shows the frame and takes the events. While the browser has
  // taken the WebGL context away, the program waits with its next frame.
  SDL_GL_SwapBuffers__deps: ['$Asyncify', '$DuruvPage', '$DuruvLights'],
  SDL_GL_SwapBuffers: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      requestAnimationFrame(function() { DuruvPage.drawOn(wakeUp); });
    });
  },

  // F1: the page's full screen, without the pointer lock the library would
  // ask for, and back to the view's size before. The page has switched it
  // already, in the key's own handler, where browsers allow it; the
  // program's window stays as it is.
  SDL_WM_ToggleFullScreen: function(surface) {
    return 1;
  },

  // The page gives the view a new size with Module.resizeView, which SDL
  // passes on to the program as a resize event, and gives the program its
  // view back with Module.viewBack once the browser has restored the
  // context: a resize to the same size, whose new video mode makes the GL
  // layer's context and the emulation's objects anew and runs the
  // program's INITGL and RESIZEWINDOW, then the frame that waited. (It
  // comes with the swap, which every build links.)
  $DuruvPage__deps: ['$Browser'],
  $DuruvPage__postset: 'Module["resizeView"] = function(width, height) { Browser.setCanvasSize(width, height); };' +
                       'Module["viewBack"] = DuruvPage.viewBack;',
  $DuruvPage: {
    waiting: null,
    drawOn: function(wakeUp) {
      if (GLctx.isContextLost()) DuruvPage.waiting = wakeUp;
      else wakeUp();
    },
    viewBack: function() {
      var wakeUp = DuruvPage.waiting;
      DuruvPage.waiting = null;
      // The new video mode makes a new context only where there is none;
      // the emulation's shader program and buffer in use, and those it drew
      // with last, were the lost context's.
      GL.deleteContext(GL.currentContext.handle);
      Module.ctx = null;
      GLImmediate.currentRenderer = GLImmediate.lastRenderer = null;
      GLImmediate.lastProgram = GLImmediate.lastArrayBuffer = null;
      GLImmediate.fixedFunctionProgram = 0;
      Browser.setCanvasSize(Module['canvas'].width, Module['canvas'].height);
      if (wakeUp) wakeUp();
    },
  },
});
