// The page's side of the web layer: a WebGL context that draws coloured
// triangles (built again when the browser gives a lost context back), the
// animation-frame loop, and the calls into the program. The canvas's size
// (window-size.js) and its keys and pointers (input.js) have files of their
// own. The page's words and buttons (page.js) hear of the program through
// Module.onView, Module.onMessage and Module.onExit, and call it through
// Module.callProgram.
mergeInto(LibraryManager.library, {
  $web: {
    gl: null,
    depthTest: false,
    ended: false,
    running: false,  // whether the program has an idle callback installed

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

    // Tells the page what it shows of the program, after every call into it
    // (Module.onView): the camera, the chosen demonstration (`mode`) and the
    // caption of the one that ran last, whether the program runs, the pace,
    // F1 and F2, the zoom, the animation's numbers and where the trail lies.
    // One object, filled again each time: the page copies what it keeps.
    seen: null,
    view: function () {
      var view = web.seen || (web.seen = { pose: new Float64Array(9) });
      var address = Module['_programView']();
      view.pose.set(HEAPF64.subarray(address >> 3, (address >> 3) + 9));
      var word = (address >> 2) + 18;
      view.trail = HEAP32[word];
      view.orbitRadius = HEAPF32[word + 1];
      view.orbitAngle = HEAPF32[word + 2];
      view.elevation = HEAPF32[word + 3];
      view.mode = HEAP32[word + 4];
      view.pace = HEAP32[word + 5];
      view.trailHead = HEAP32[word + 6];
      view.controls = HEAP32[word + 7] !== 0;
      view.frame = HEAP32[word + 8] !== 0;
      view.zoom = HEAP32[word + 9];
      view.animating = HEAP32[word + 10] !== 0;
      view.running = web.running;
      var caption = Module['_programCaption']();
      if (caption !== view.captionAddress) {
        view.captionAddress = caption;
        view.caption = UTF8ToString(caption);
      }
      return view;
    },
    report: function () {
      if (Module['onView']) Module['onView'](web.view());
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

  webglInit__deps: ['$web', '$webWindow'],
  webglInit: function (width, height) {
    var canvas = Module['canvas'];
    var frame = canvas.parentElement;
    webWindow.windowSize = [width, height];
    webWindow.fittedWidth = width;
    frame.style.width = width + 'px';
    frame.style.height = height + 'px';
    webWindow.fit();
    webWindow.sizeCanvas();
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

  webglStartLoop__deps: ['$web', '$webInput', '$webWindow'],
  webglStartLoop: function () {
    webInput.listen();
    webWindow.listen();
    Module['_webResize'](webWindow.size[0], webWindow.size[1], webWindow.ratio);
    Module['callProgram'] = web.call;
    Module['view'] = web.view;
    web.report();
    // Like a main loop that never returns: main ends here without exiting.
    throw 'unwind';
  }
});
