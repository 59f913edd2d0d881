// The page around the program: the keyboard goes to the view and never
// scrolls the page, a held key reaches the program once (its own loop
// repeats it every frame), the view fits the screen and its size is the
// program's window size, buttons stand for the keys on touch screens, F1
// shows the stage on the whole screen, and the end or a failure is said in
// words.
(function () {
  var stage = document.getElementById('stage');
  var view = document.getElementById('view');
  var canvas = document.getElementById('canvas');
  var said = document.getElementById('said');
  // Keys that would scroll the page or open the browser's help. Emscripten's
  // SDL stops what they do too once the program listens (untested here for
  // that reason); this also covers the page while the program loads.
  var PAGE_KEYS = ['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'F1', ' '];
  var KEY_CODES = {ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, a: 65, q: 81, F1: 112};
  var WIDTH = 640, HEIGHT = 480;      // the view on a screen that has room for it

  // F1 switches full screen here, in the key's own handler, the one place
  // where every browser allows it; the program's own switch then has
  // nothing left to do.
  var playing = true;
  window.addEventListener('keydown', function (event) {
    if (PAGE_KEYS.indexOf(event.key) >= 0) event.preventDefault();
    if (event.repeat) event.stopImmediatePropagation();
    else if (event.key == 'F1' && playing) toggleFullScreen();
  }, true);
  function toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else stage.requestFullscreen().catch(function () {});   // refused: the view stays as it is
  }
  canvas.addEventListener('click', function () { canvas.focus({preventScroll: true}); });
  window.addEventListener('load', function () { canvas.focus({preventScroll: true}); });

  // The largest view of 4:3, up to 640 x 480, that fits the page beside
  // the buttons, unless the view's handle gave it a size of its own.
  var fitted = null;
  function fit() {
    if (document.fullscreenElement || (fitted && (view.style.width != fitted[0] || view.style.height != fitted[1])))
      return;
    var borders = view.offsetWidth - view.clientWidth;
    var beside = getComputedStyle(stage).flexDirection == 'row';
    var roomWidth = document.documentElement.clientWidth - borders - (beside ? stage.offsetWidth - view.offsetWidth : 0);
    var roomHeight = window.innerHeight - stage.offsetTop - borders;
    var width = Math.floor(Math.min(WIDTH, roomWidth, roomHeight * WIDTH / HEIGHT));
    fitted = [width + 'px', Math.round(width * HEIGHT / WIDTH) + 'px'];
    view.style.width = fitted[0];
    view.style.height = fitted[1];
  }
  fit();
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);

  // The view's size in the screen's own pixels reaches the program as SDL's
  // resize event whenever it differs from the program's window, so that the
  // picture is drawn at the screen's pixels, not stretched: after each new
  // size of the view or pixel ratio (the browser zoomed, the window moved to
  // another screen), and after the program sets a size of its own (its
  // first, 640 x 480, always a change: the canvas starts at 300 x 150).
  var pixels = null;        // the canvas's size in pixels, as the browser rounds it, where it says
  function follow() {
    var ratio = window.devicePixelRatio || 1;
    var width = pixels ? pixels[0] : Math.round(canvas.clientWidth * ratio);
    var height = pixels ? pixels[1] : Math.round(canvas.clientHeight * ratio);
    if (Module.resizeView && (width != canvas.width || height != canvas.height))
      Module.resizeView(width, height);
  }
  var sized = new ResizeObserver(function (entries) {
    var box = entries[0].devicePixelContentBoxSize;
    pixels = box ? [box[0].inlineSize, box[0].blockSize] : null;
    follow();
  });
  try {
    sized.observe(canvas, {box: 'device-pixel-content-box'});
  } catch (error) {         // a browser that cannot say the screen's pixels
    sized.observe(canvas);
  }
  (function watchRatio() {
    matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)')
      .addEventListener('change', function () { watchRatio(); follow(); }, {once: true});
  })();
  new MutationObserver(follow).observe(canvas, {attributes: true, attributeFilter: ['width', 'height']});

  // A button acts as its key: pressed while a finger or the mouse is on it,
  // let go on lift, cancel, leaving the button, or when the page is hidden.
  // Full screen goes on a tap, which is what lets a page ask for it.
  function send(type, key) {
    var event = new KeyboardEvent(type, {key: key, code: key, bubbles: true, cancelable: true});
    Object.defineProperty(event, 'keyCode', {value: KEY_CODES[key]});
    canvas.dispatchEvent(event);
  }
  var buttons = Array.prototype.slice.call(document.querySelectorAll('#pad button'));
  buttons.forEach(function (button) {
    var key = button.dataset.key, pointers = [];
    function letGo() {
      if (!button.classList.contains('held')) return;
      button.classList.remove('held');
      send('keyup', key);
    }
    function lift(event) {
      pointers = pointers.filter(function (id) { return id != event.pointerId; });
      if (pointers.length == 0) letGo();
    }
    button.release = function () {
      pointers = [];
      letGo();
    };
    if (key == 'F1') {
      button.hidden = !document.fullscreenEnabled;
      button.addEventListener('click', function () { send('keydown', key); send('keyup', key); });
      return;
    }
    button.addEventListener('pointerdown', function (event) {
      event.preventDefault();
      button.releasePointerCapture(event.pointerId);     // so that leaving the button lets go
      pointers.push(event.pointerId);
      if (pointers.length == 1) {
        button.classList.add('held');
        send('keydown', key);
      }
    });
    ['pointerup', 'pointercancel', 'pointerleave'].forEach(function (type) { button.addEventListener(type, lift); });
  });
  document.addEventListener('visibilitychange', function () {
    if (document.hidden) buttons.forEach(function (button) { button.release(); });
  });
  stage.addEventListener('contextmenu', function (event) { event.preventDefault(); });

  // When the browser takes the view's WebGL context away (its graphics
  // process restarted, memory ran short, too many pages hold one), the view
  // gives way to a line that says so, and the page takes the loss, which
  // lets the browser give the context back; the program's frames wait
  // meanwhile (mends.js), and go on from where they stopped when it does.
  // Where it does not within a while, or takes the view again soon after,
  // the line says to reload and a button does it.
  var RESTORE_WAIT = 10000, LOST_AGAIN = 60000;    // ms
  var lost = document.getElementById('lost');
  var lostAt = -LOST_AGAIN, giveUp = null;
  var FOR_A_MOMENT = 'The browser has taken away the view for a moment; Duruv goes on when it gives it back.',
      NOT_BACK = 'The browser has taken away the view and not given it back.',
      AGAIN = 'The browser has taken away the view once more, soon after giving it back.';
  function tellLost(line) {
    var reload = line != FOR_A_MOMENT;
    lost.querySelector('p').textContent = reload ? line + ' Reload the page to play Duruv again.' : line;
    lost.querySelector('button').hidden = !reload;
    lost.style.display = 'flex';
    canvas.style.visibility = 'hidden';
  }
  canvas.addEventListener('webglcontextlost', function (event) {
    event.preventDefault();
    var again = performance.now() - lostAt < LOST_AGAIN;
    lostAt = performance.now();
    tellLost(again ? AGAIN : FOR_A_MOMENT);
    if (!again) giveUp = setTimeout(function () { tellLost(NOT_BACK); }, RESTORE_WAIT);
  });
  canvas.addEventListener('webglcontextrestored', function () {
    clearTimeout(giveUp);
    lost.style.display = 'none';
    canvas.style.visibility = '';
    Module.viewBack();
  });
  lost.querySelector('button').addEventListener('click', function () { location.reload(); });

  // What the program says on its standard error, it says on the page too
  // when it ends with a failure; a failure before the program runs is said
  // in the same place.
  var lastLine = '';
  function say(text) {
    playing = false;
    if (document.fullscreenElement) document.exitFullscreen();
    stage.style.display = 'none';
    said.textContent = text;
    said.style.display = 'block';
  }

  // The program ends by exit(), which Emscripten reports by throwing its
  // ExitStatus: that is no error here.
  function ended(event) {
    var error = event.error || event.reason;
    if (error && error.name == 'ExitStatus') event.preventDefault();
  }
  window.addEventListener('error', ended);
  window.addEventListener('unhandledrejection', ended);

  window.Module = {
    canvas: canvas,
    printErr: function (line) {
      console.error(line);
      lastLine = line;
    },
    onExit: function (status) {
      say(status == 0 ? 'Duruv has ended. Reload the page to play it again.'
                      : lastLine || 'Duruv has stopped with status ' + status + '.');
    },
    onAbort: function (what) {
      say('Duruv cannot play in this browser: ' + what);
    },
  };

  // Emscripten's notes on its OpenGL emulation, which it writes as it loads
  // on whichever of the two its version takes, are for developers.
  ['warn', 'error'].forEach(function (level) {
    var write = console[level];
    console[level] = function (text) {
      if (!/^WARNING: using emscripten GL/.test(text)) write.apply(console, arguments);
    };
  });

  if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('offline.js').catch(function () {});
})();
