// The page's side of the web layer: a WebGL context that draws coloured
// triangles (built again when the browser gives a lost context back), the
// animation-frame loop, and the canvas's keys, pointers and size turned into
// GLUT's callbacks with the codes GLUT gives on the desktop. The page's words
// and buttons (page.js) hear of the program through Module.onState,
// Module.onMessage and Module.onExit, and send keys through Module.sendKey.
mergeInto(LibraryManager.library, {
  $web: {
    gl: null,
    depthTest: false,
    ended: false,
    running: false,  // whether the program has an idle callback installed
    reported: null,  // what the page last heard: { caption, running }
    windowSize: [0, 0],  // the size the program asked for its window
    fittedWidth: 0,  // the frame's width as fit() last set it
    size: null,  // the program's window size, in CSS pixels
    ratio: 1,  // the canvas's device pixels per CSS pixel
    pointer: [0, 0],  // where a pointer was last seen, for the key callbacks
    held: 0,  // the mouse's or pen's buttons held on the canvas, as PointerEvent.buttons
    fingers: [],  // the fingers on the canvas, first down first: { id, x, y }
    fingerButton: -1,  // the GLUT button the fingers hold: left for one, right for two
    fingerPoint: [0, 0],  // where the fingers' button was last pressed or moved
    pinchBase: 1,  // the fingers' distance at the last zoom step

    // The GLUT button for each of PointerEvent.buttons' bits.
    buttonBits: [[1, 0], [4, 1], [2, 2]],
    // A pinch zooms one wheel step each time the fingers' distance changes by this ratio.
    pinchStep: 1.25,

    say: function (text) {
      if (Module['onMessage']) Module['onMessage'](text);
    },

    // Stops before the program's main loop, with words instead of a blank canvas.
    fail: function (text) {
      web.say(text);
      web.ended = true;
      throw 'unwind';
    },

    // Calls into the program; once it has ended (exit), nothing more runs.
    call: function (f) {
      if (web.ended || ABORT) return;
      try {
        f();
      } catch (e) {
        web.ended = true;
        if (e instanceof ExitStatus || e === 'unwind') return;
        web.say('The program stopped on an error: ' + e + '. Reload the page to start again.');
        throw e;
      }
      web.report();
    },

    // Tells the page the running demonstration's name and whether the
    // program runs, when either has changed.
    report: function () {
      var caption = Module['_programCaption']();
      var last = web.reported;
      if (last && last.caption === caption && last.running === web.running) return;
      web.reported = { caption: caption, running: web.running };
      if (Module['onState']) Module['onState'](UTF8ToString(caption), web.running);
    },

    // [false, code] for the keyboard callback, [true, code] for the special
    // one, or null: the codes that GLUT passes for the same keys on X.
    keyCode: function (event) {
      var named = { Enter: 13, Tab: 9, Backspace: 8, Escape: 27, Delete: 127 };
      if (named.hasOwnProperty(event.key)) return [false, named[event.key]];
      if (event.key.length === 1) {
        var code = event.key.charCodeAt(0);
        // Control turns @, letters and [\]^_ into their control codes.
        if (event.ctrlKey && code >= 64 && code < 128) code &= 31;
        return code <= 255 ? [false, code] : null;
      }
      var special = {
        F1: 1, F2: 2, F3: 3, F4: 4, F5: 5, F6: 6, F7: 7, F8: 8, F9: 9, F10: 10, F11: 11, F12: 12,
        ArrowLeft: 100, ArrowUp: 101, ArrowRight: 102, ArrowDown: 103, PageUp: 104, PageDown: 105,
        Home: 106, End: 107, Insert: 108, NumLock: 109, Clear: 110
      };
      if (special.hasOwnProperty(event.key)) return [true, special[event.key]];
      var right = event.location === 2 ? 1 : 0;
      var modifiers = { Shift: 112, Control: 114, Alt: 116, Meta: 118, OS: 118 };
      if (modifiers.hasOwnProperty(event.key)) return [true, modifiers[event.key] + right];
      return null;
    },

    sendKey: function (special, code) {
      var p = web.pointer;
      web.call(function () { Module[special ? '_webSpecialKey' : '_webKey'](code, p[0], p[1]); });
    },

    // The page's own buttons and links keep the keys that work them.
    onControl: function (target) {
      return target instanceof Element && target.closest('button, a, input, select, textarea') !== null;
    },

    position: function (event) {
      var rect = Module['canvas'].getBoundingClientRect();
      return [Math.floor(event.clientX - rect.left), Math.floor(event.clientY - rect.top)];
    },

    mouse: function (button, state, p) {
      web.call(function () { Module['_webMouse'](button, state, p[0], p[1]); });
    },

    motion: function (p) {
      web.call(function () { Module['_webMotion'](p[0], p[1]); });
    },

    // A mouse or pen: releases whatever `buttons` no longer holds (a release
    // may have happened where the page could not see it), then presses what
    // it newly holds when `pressing`.
    mouseButtons: function (buttons, pressing, p) {
      web.buttonBits.forEach(function (bit) {
        if ((web.held & bit[0]) && !(buttons & bit[0])) {
          web.held &= ~bit[0];
          web.mouse(bit[1], 1, p);
        }
      });
      if (!pressing) return;
      web.buttonBits.forEach(function (bit) {
        if ((buttons & bit[0]) && !(web.held & bit[0])) {
          web.held |= bit[0];
          web.mouse(bit[1], 0, p);
        }
      });
    },

    // A move, or a button's change during a drag (which comes as a move).
    mouseMove: function (event) {
      var p = web.position(event);
      web.pointer = p;
      var change = event.button !== -1;
      web.mouseButtons(event.buttons, change && web.held !== 0, p);
      if (web.held && !change) web.motion(p);
    },

    centre: function () {
      var f = web.fingers, n = f.length;
      var x = 0, y = 0;
      for (var i = 0; i < n; ++i) {
        x += f[i].x;
        y += f[i].y;
      }
      return [Math.floor(x / n), Math.floor(y / n)];
    },

    spread: function () {
      var f = web.fingers;
      return Math.max(1, Math.hypot(f[0].x - f[1].x, f[0].y - f[1].y));
    },

    // One finger holds the left button, two the right one: a finger that
    // comes or goes releases the one and presses the other where the
    // fingers are.
    fingersChanged: function () {
      var n = web.fingers.length;
      var button = n === 1 ? 0 : n === 2 ? 2 : -1;
      if (button === web.fingerButton) return;
      if (web.fingerButton >= 0) web.mouse(web.fingerButton, 1, web.fingerPoint);
      web.fingerButton = button;
      if (button < 0) return;
      web.fingerPoint = web.centre();
      if (n === 2) web.pinchBase = web.spread();
      web.mouse(button, 0, web.fingerPoint);
    },

    fingerDown: function (event) {
      if (web.fingers.length === 2) return;  // a third finger takes no part
      var p = web.position(event);
      web.pointer = p;
      web.fingers.push({ id: event.pointerId, x: p[0], y: p[1] });
      web.fingersChanged();
    },

    fingerUp: function (event) {
      var kept = web.fingers.filter(function (f) { return f.id !== event.pointerId; });
      if (kept.length === web.fingers.length) return;
      web.fingers = kept;
      web.fingersChanged();
    },

    // The fingers drag their button at their centre; two fingers moving
    // apart or together turn the wheel up (zoom in) or down, one step per
    // `pinchStep` of their distance.
    fingerMove: function (event) {
      var finger = web.fingers.find(function (f) { return f.id === event.pointerId; });
      if (!finger) return;
      var p = web.position(event);
      web.pointer = p;
      finger.x = p[0];
      finger.y = p[1];
      var centre = web.centre();
      if (centre[0] !== web.fingerPoint[0] || centre[1] !== web.fingerPoint[1]) {
        web.fingerPoint = centre;
        web.motion(centre);
      }
      if (web.fingers.length !== 2) return;
      var spread = web.spread();
      while (spread >= web.pinchBase * web.pinchStep || spread <= web.pinchBase / web.pinchStep) {
        var button = spread > web.pinchBase ? 3 : 4;
        web.pinchBase *= button === 3 ? web.pinchStep : 1 / web.pinchStep;
        web.mouse(button, 0, centre);
        web.mouse(button, 1, centre);
      }
    },

    releaseAll: function () {
      web.mouseButtons(0, false, web.pointer);
      web.fingers = [];
      web.fingersChanged();
    },

    listen: function () {
      var canvas = Module['canvas'];
      window.addEventListener('keydown', function (event) {
        var key = web.keyCode(event);
        if (key === null || web.ended) return;
        if (web.onControl(event.target) && (event.key === 'Enter' || event.key === ' ' || event.key === 'Tab'))
          return;
        // The page keeps its keys (space and arrows would scroll it), F1 and
        // F2 among them, but the browser keeps its shortcuts (with a
        // modifier, and the other function keys) and Tab moves on.
        var browsers = event.ctrlKey || event.altKey || event.metaKey || event.key === 'Tab' ||
                       (/^F\d+$/.test(event.key) && event.key !== 'F1' && event.key !== 'F2');
        if (!browsers) event.preventDefault();
        web.sendKey(key[0], key[1]);
      });
      Module['sendKey'] = web.sendKey;

      // Pointer events for mouse, pen and touch alike. The canvas captures a
      // pointer pressed on it, so that its moves and release come back even
      // from outside, as an X pointer grab gives them.
      canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
      canvas.addEventListener('pointerdown', function (event) {
        if (event.pointerType !== 'touch' && event.button > 2) return;  // back and forward stay the browser's
        event.preventDefault();
        canvas.focus({ preventScroll: true });
        try {
          canvas.setPointerCapture(event.pointerId);
        } catch (e) {
          // The pointer is gone already: its events end the drag.
        }
        if (event.pointerType === 'touch') {
          web.fingerDown(event);
        } else {
          web.pointer = web.position(event);
          web.mouseButtons(event.buttons, true, web.pointer);
        }
      });
      window.addEventListener('pointermove', function (event) {
        if (event.pointerType === 'touch') web.fingerMove(event);
        else web.mouseMove(event);
      });
      var lifted = function (event) {
        if (event.pointerType === 'touch') {
          web.fingerUp(event);
        } else if (event.type === 'pointerup') {
          web.pointer = web.position(event);
          web.mouseButtons(event.buttons, false, web.pointer);
        } else {
          web.mouseButtons(0, false, web.pointer);
        }
      };
      window.addEventListener('pointerup', lifted);
      window.addEventListener('pointercancel', lifted);
      canvas.addEventListener('lostpointercapture', lifted);
      // A release that no event will show: the page lost the focus or was hidden.
      window.addEventListener('blur', web.releaseAll);
      document.addEventListener('visibilitychange', function () {
        if (document.hidden) web.releaseAll();
      });
      // A wheel step is a press and release of button 3 (up) or 4 (down).
      canvas.addEventListener('wheel', function (event) {
        if (event.deltaY === 0) return;
        event.preventDefault();
        var p = web.position(event);
        var button = event.deltaY < 0 ? 3 : 4;
        web.mouse(button, 0, p);
        web.mouse(button, 1, p);
      }, { passive: false });

      var frame = canvas.parentElement;
      if (typeof ResizeObserver === 'function') new ResizeObserver(web.resized).observe(frame);
      window.addEventListener('resize', function () {
        web.fit();
        web.resized();
      });
      web.followRatio();
    },

    // The screen's device pixels per CSS pixel, as the browser gives it: a
    // value no screen has is taken as 1, or as the nearer end of [1/8, 8]
    // (the layer's PixelRatio takes it the same way).
    pixelRatio: function () {
      var ratio = window.devicePixelRatio;
      return isFinite(ratio) && ratio > 0 ? Math.min(8, Math.max(1 / 8, ratio)) : 1;
    },

    // The ratio changes without a resize when the page moves to another
    // screen: a query for the present ratio hears when it no longer holds.
    followRatio: function () {
      if (typeof window.matchMedia !== 'function') return;
      var query = window.matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)');
      if (typeof query.addEventListener !== 'function') return;
      query.addEventListener('change', function () {
        web.resized();
        web.followRatio();
      }, { once: true });
    },

    // Where the page is narrower than the program's window, the frame takes
    // the page's width at the window's shape, as if a person had dragged its
    // corner; it grows back when the page widens, unless a person has
    // resized it since.
    fit: function () {
      var frame = Module['canvas'].parentElement;
      var room = frame.parentElement.clientWidth;
      var width = parseFloat(frame.style.width);
      if (!(width > room) && width !== web.fittedWidth) return;
      var fitted = Math.min(web.windowSize[0], room);
      frame.style.width = fitted + 'px';
      frame.style.height = Math.floor(fitted * web.windowSize[1] / web.windowSize[0]) + 'px';
      web.fittedWidth = fitted;
    },

    // The program's window is the frame's size in CSS pixels, and so are the
    // event positions; the canvas's backing store has the screen's
    // resolution, as many pixels each way as the size times the ratio,
    // rounded. Returns whether the size or the ratio changed.
    sizeCanvas: function () {
      var canvas = Module['canvas'];
      var frame = canvas.parentElement;
      var width = Math.max(0, Math.floor(frame.clientWidth));
      var height = Math.max(0, Math.floor(frame.clientHeight));
      var ratio = web.pixelRatio();
      if (web.size && web.size[0] === width && web.size[1] === height && web.ratio === ratio) return false;
      web.size = [width, height];
      web.ratio = ratio;
      canvas.width = Math.round(width * ratio);
      canvas.height = Math.round(height * ratio);
      return true;
    },

    // Called before the browser paints the new size: the program reshapes
    // (if its size changed, not only the ratio) and draws in the same frame,
    // so that no cleared canvas is ever shown.
    resized: function () {
      if (!web.sizeCanvas()) return;
      var size = web.size, ratio = web.ratio;
      web.call(function () {
        Module['_webResize'](size[0], size[1], ratio);
        Module['_webDrawNow']();
      });
    },

    // The few WebGL objects and the state the layer sets once, built at the
    // start and again when a lost context comes back. Returns words for what
    // failed, or null.
    setUp: function (gl) {
      var failed = function (what, log) {
        return 'The picture cannot be drawn: the browser could not ' + what +
               (log ? ' (' + log.trim() + ')' : '') + '.';
      };
      var shader = function (type, source) {
        var s = gl.createShader(type);
        gl.shaderSource(s, source);
        gl.compileShader(s);
        return s;
      };
      var shaders = [
        shader(gl.VERTEX_SHADER, 'attribute vec4 position; attribute vec4 color; varying vec4 shade;' +
                                 'void main() { gl_Position = position; shade = color; }'),
        shader(gl.FRAGMENT_SHADER, 'precision highp float; varying vec4 shade; void main() { gl_FragColor = shade; }')
      ];
      var program = gl.createProgram();
      shaders.forEach(function (s) { gl.attachShader(program, s); });
      gl.bindAttribLocation(program, 0, 'position');
      gl.bindAttribLocation(program, 1, 'color');
      gl.linkProgram(program);
      // A context lost meanwhile fails everything; it is built again when it comes back.
      if (gl.isContextLost()) return null;
      for (var i = 0; i < shaders.length; ++i)
        if (!gl.getShaderParameter(shaders[i], gl.COMPILE_STATUS))
          return failed('compile a shader', gl.getShaderInfoLog(shaders[i]));
      if (!gl.getProgramParameter(program, gl.LINK_STATUS))
        return failed('link the shaders', gl.getProgramInfoLog(program));
      gl.useProgram(program);
      gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
      gl.enableVertexAttribArray(0);
      gl.enableVertexAttribArray(1);
      gl.vertexAttribPointer(0, 4, gl.FLOAT, false, 32, 0);
      gl.vertexAttribPointer(1, 4, gl.FLOAT, false, 32, 16);
      if (web.depthTest) gl.enable(gl.DEPTH_TEST);
      return null;
    }
  },

  webglInit__deps: ['$web'],
  webglInit: function (width, height) {
    var canvas = Module['canvas'];
    var frame = canvas.parentElement;
    web.windowSize = [width, height];
    web.fittedWidth = width;
    frame.style.width = width + 'px';
    frame.style.height = height + 'px';
    web.fit();
    web.sizeCanvas();
    var gl = canvas.getContext('webgl', {
      alpha: false, depth: true, stencil: false, antialias: false, premultipliedAlpha: false
    });
    if (!gl) {
      web.fail('The picture cannot be drawn: this browser has no WebGL, or it is turned off ' +
               '(look for hardware acceleration in its settings).');
    }
    var problem = web.setUp(gl);
    if (problem) web.fail(problem);
    // A lost context (a GPU reset, a tab put aside) comes back if the page
    // asks for it; the program's state is kept, and drawn again.
    canvas.addEventListener('webglcontextlost', function (event) {
      event.preventDefault();
      web.say('The graphics context was lost; the picture is being restored\u2026');
    });
    canvas.addEventListener('webglcontextrestored', function () {
      var failure = web.setUp(gl);
      web.say(failure || '');
      if (!failure) web.call(function () { Module['_webDrawNow'](); });
    });
    web.gl = gl;
    Module['ctx'] = gl;
  },

  webglSetTitle: function (title) {
    document.title = UTF8ToString(title);
  },

  webglViewport__deps: ['$web'],
  webglViewport: function (x, y, width, height) {
    web.gl.viewport(x, y, width, height);
  },

  webglClear__deps: ['$web'],
  webglClear: function (r, g, b, a, color, depth) {
    var gl = web.gl;
    gl.clearColor(r, g, b, a);
    gl.clear((color ? gl.COLOR_BUFFER_BIT : 0) | (depth ? gl.DEPTH_BUFFER_BIT : 0));
  },

  webglEnableDepthTest__deps: ['$web'],
  webglEnableDepthTest: function () {
    web.depthTest = true;
    web.gl.enable(web.gl.DEPTH_TEST);
  },

  webglDraw__deps: ['$web'],
  webglDraw: function (vertices, count) {
    var gl = web.gl;
    gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(vertices >> 2, (vertices >> 2) + count * 8),
                  gl.STREAM_DRAW);
    gl.drawArrays(gl.TRIANGLES, 0, count);
  },

  webglRequestFrame__deps: ['$web'],
  webglRequestFrame: function () {
    window.requestAnimationFrame(function () {
      web.call(function () { Module['_webFrame'](); });
    });
  },

  webglIdleInstalled__deps: ['$web'],
  webglIdleInstalled: function (installed) {
    web.running = installed !== 0;
  },

  webglStartLoop__deps: ['$web'],
  webglStartLoop: function () {
    web.listen();
    Module['_webResize'](web.size[0], web.size[1], web.ratio);
    web.report();
    // Like a main loop that never returns: main ends here without exiting.
    throw 'unwind';
  }
});
