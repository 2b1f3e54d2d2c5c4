// The page's side of the web layer: a WebGL context that draws coloured
// triangles, the animation-frame loop, and the canvas's keys, mouse and size
// turned into GLUT's callbacks with the codes GLUT gives on the desktop.
mergeInto(LibraryManager.library, {
  $web: {
    gl: null,
    buffer: null,
    ended: false,
    buttonsDown: 0,
    pointer: [0, 0],  // where the mouse was last seen, for the key callbacks

    // Calls into the program; once it has ended (exit), nothing more runs.
    call: function (f) {
      if (web.ended || ABORT) return;
      try {
        f();
      } catch (e) {
        if (e instanceof ExitStatus || e === 'unwind') {
          web.ended = true;
          return;
        }
        throw e;
      }
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

    position: function (event) {
      var rect = Module['canvas'].getBoundingClientRect();
      return [Math.floor(event.clientX - rect.left), Math.floor(event.clientY - rect.top)];
    },

    // DOM buttons 0, 1, 2 are GLUT's left, middle and right.
    mouse: function (button, state, event) {
      var p = web.position(event);
      web.call(function () { Module['_webMouse'](button, state, p[0], p[1]); });
    },

    listen: function () {
      var canvas = Module['canvas'];
      var frame = canvas.parentElement;
      window.addEventListener('keydown', function (event) {
        var key = web.keyCode(event);
        if (key === null || web.ended) return;
        // The page keeps its keys (space and arrows would scroll it), but the
        // browser keeps its shortcuts: with a modifier, and function keys.
        if (!event.ctrlKey && !event.altKey && !event.metaKey && !/^F\d+$/.test(event.key))
          event.preventDefault();
        var p = web.pointer;
        web.call(function () {
          Module[key[0] ? '_webSpecialKey' : '_webKey'](key[1], p[0], p[1]);
        });
      });
      canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
      canvas.addEventListener('mousedown', function (event) {
        if (event.button > 2) return;
        event.preventDefault();
        web.buttonsDown |= 1 << event.button;
        web.mouse(event.button, 0, event);
      });
      // The window that saw the press gets the release and the motion, even
      // outside it, as an X pointer grab gives them.
      window.addEventListener('mouseup', function (event) {
        if (event.button > 2 || !(web.buttonsDown & (1 << event.button))) return;
        web.buttonsDown &= ~(1 << event.button);
        web.mouse(event.button, 1, event);
      });
      window.addEventListener('mousemove', function (event) {
        var p = web.position(event);
        web.pointer = p;
        if (!web.buttonsDown) return;
        web.call(function () { Module['_webMotion'](p[0], p[1]); });
      });
      // A wheel step is a press and release of button 3 (up) or 4 (down).
      canvas.addEventListener('wheel', function (event) {
        if (event.deltaY === 0) return;
        event.preventDefault();
        var button = event.deltaY < 0 ? 3 : 4;
        web.mouse(button, 0, event);
        web.mouse(button, 1, event);
      }, { passive: false });

      // One canvas pixel per CSS pixel: the program sees the sizes it would
      // see on the desktop, and a HiDPI screen scales the picture up.
      var resized = function () {
        var width = Math.max(0, Math.floor(frame.clientWidth));
        var height = Math.max(0, Math.floor(frame.clientHeight));
        if (width === canvas.width && height === canvas.height) return;
        canvas.width = width;
        canvas.height = height;
        web.call(function () { Module['_webResize'](width, height); });
      };
      if (typeof ResizeObserver === 'function') new ResizeObserver(resized).observe(frame);
      window.addEventListener('resize', resized);
    }
  },

  webglInit__deps: ['$web'],
  webglInit: function (width, height) {
    var canvas = Module['canvas'];
    canvas.width = width;
    canvas.height = height;
    canvas.parentElement.style.width = width + 'px';
    canvas.parentElement.style.height = height + 'px';
    var gl = canvas.getContext('webgl', {
      alpha: false, depth: true, stencil: false, antialias: false, premultipliedAlpha: false
    });
    if (!gl) throw 'WebGL is not available';
    var shader = function (type, source) {
      var s = gl.createShader(type);
      gl.shaderSource(s, source);
      gl.compileShader(s);
      return s;
    };
    var program = gl.createProgram();
    gl.attachShader(program, shader(gl.VERTEX_SHADER,
      'attribute vec4 position; attribute vec4 color; varying vec4 shade;' +
      'void main() { gl_Position = position; shade = color; }'));
    gl.attachShader(program, shader(gl.FRAGMENT_SHADER,
      'precision highp float; varying vec4 shade; void main() { gl_FragColor = shade; }'));
    gl.bindAttribLocation(program, 0, 'position');
    gl.bindAttribLocation(program, 1, 'color');
    gl.linkProgram(program);
    gl.useProgram(program);
    web.buffer = gl.createBuffer();
    gl.bindBuffer(gl.ARRAY_BUFFER, web.buffer);
    gl.enableVertexAttribArray(0);
    gl.enableVertexAttribArray(1);
    gl.vertexAttribPointer(0, 4, gl.FLOAT, false, 32, 0);
    gl.vertexAttribPointer(1, 4, gl.FLOAT, false, 32, 16);
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

  webglStartLoop__deps: ['$web'],
  webglStartLoop: function () {
    web.listen();
    var canvas = Module['canvas'];
    Module['_webResize'](canvas.width, canvas.height);
    // Like a main loop that never returns: main ends here without exiting.
    throw 'unwind';
  }
});
