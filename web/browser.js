// The page's side of the web layer: a WebGL context that draws coloured
// triangles (built again when the browser gives a lost context back), the
// animation-frame loop, and the calls into the program. The functions the
// layer's C++ asks for are named page... (declared in Page.h), and so are
// the library objects: `page` here, `pageWindow` for the canvas's size
// (window-size.js) and `pageInput` for its keys and pointers (input.js);
// what they call in the program is named program... The page's words and
// buttons (page.js) hear of the program through Module.onView,
// Module.onMessage and Module.onExit, and call it through
// Module.callProgram; Module.onDescribed hands them what the program
// defines (Module.program).
mergeInto(LibraryManager.library, {
  $page: {
    ended: false,
    running: false,  // whether the program has an idle callback installed

    say: function (text) {
      if (Module['onMessage']) Module['onMessage'](text);
    },

    // Stops before the program's main loop, with words instead of a blank canvas.
    fail: function (text) {
      page.say(text);
      page.ended = true;
      throw 'unwind';
    },

    // Calls into the program; once it has ended (exit), nothing more runs.
    call: function (f) {
      if (page.ended || ABORT) return;
      try {
        f();
      } catch (e) {
        page.ended = true;
        if (e instanceof ExitStatus || e === 'unwind') return;
        page.say('The program stopped on an error: ' + e + '. Reload the page to start again.');
        throw e;
      }
      page.report();
    },

    // What the program says of itself (programDescription in Exports.cpp),
    // read once: its captions, paces, key codes, start pose, the trail's
    // length, and where each field of the view it hands the page lies.
    // The page and its links take all of these from here: Module.program,
    // handed to Module.onDescribed as the program starts, before anything
    // can fail.
    program: null,
    describe: function () {
      if (!page.program) {
        page.program = Module['program'] = JSON.parse(UTF8ToString(Module['_programDescription']()));
        if (Module['onDescribed']) Module['onDescribed'](page.program);
      }
      return page.program;
    },

    // Tells the page what it shows of the program, after every call into it
    // (Module.onView): the view's fields by their names in the description
    // (`mode` is the chosen demonstration), whether the program runs, and
    // the caption of the demonstration that ran last, the way the drag turns
    // (`angles`, F8) and whether the hand holds the camera (`handHolds`). One
    // object, filled again each time: the page copies what it keeps.
    seen: null,
    view: function () {
      var fields = page.describe().view;
      var view = page.seen || (page.seen = {});
      var address = Module['_programView']();
      for (var name in fields) {
        var field = fields[name], at = address + field.offset;
        if (field.type === 'double') {
          view[name] = view[name] || new Float64Array(field.count);
          view[name].set(HEAPF64.subarray(at >> 3, (at >> 3) + field.count));
        } else if (field.type === 'float') {
          view[name] = HEAPF32[at >> 2];
        } else if (field.type === 'pointer') {
          view[name] = HEAPU32[at >> 2];
        } else {
          view[name] = field.type === 'flag' ? HEAP32[at >> 2] !== 0 : HEAP32[at >> 2];
        }
      }
      view.running = page.running;
      view.angles = Module['_programHandTurning']() !== 0;  // F8: the drag turns by angles
      view.handHolds = Module['_programHandHolds']() !== 0;
      var caption = Module['_programCaption']();
      if (caption !== view.captionAddress) {
        view.captionAddress = caption;
        view.caption = UTF8ToString(caption);
      }
      return view;
    },
    // The program's curves (Exports.cpp): four doubles a point, oldest first,
    // read where they lie; valid until the next call into the program.
    curves: function () {
      var address = Module['_programCurves']() >> 3;
      return HEAPF64.subarray(address + 1, address + 1 + 4 * HEAPF64[address]);
    },
    report: function () {
      if (Module['onView']) Module['onView'](page.view());
    },

    // The layer's WebGL context, the objects it draws with and the state it
    // sets: one object, made by build() at the start and made again by it
    // when a lost context comes back.
    webgl: null,

    // Makes page.webgl on the context: the shaders, the vertex buffer and
    // its layout, and the state the layer had set (WebGL's defaults at the
    // start; a context that comes back has lost all of it). Returns words
    // for what failed, or null.
    build: function (gl) {
      var state = page.webgl ? page.webgl.state : { depthTest: false, viewport: [0, 0, 0, 0], clearColor: [0, 0, 0, 0] };
      var webgl = page.webgl = { gl: gl, program: null, buffer: null, state: state };
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
      var program = webgl.program = gl.createProgram();
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
      webgl.buffer = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, webgl.buffer);
      gl.enableVertexAttribArray(0);
      gl.enableVertexAttribArray(1);
      gl.vertexAttribPointer(0, 4, gl.FLOAT, false, 32, 0);
      gl.vertexAttribPointer(1, 4, gl.FLOAT, false, 32, 16);
      page.setState(null);
      return null;
    },

    // Every WebGL state setting the layer makes is made here, from
    // page.webgl.state, which keeps it for a context that comes back: the
    // depth test, the viewport and the clear colour. `changed` names the one
    // that changed, or is null for all of them. (Blending, culling and the
    // rest stay as WebGL starts them.)
    setState: function (changed) {
      var gl = page.webgl.gl, state = page.webgl.state;
      if (changed === null || changed === 'depthTest') {
        if (state.depthTest) gl.enable(gl.DEPTH_TEST);
        else gl.disable(gl.DEPTH_TEST);
      }
      if (changed === null || changed === 'viewport') {
        var v = state.viewport;
        gl.viewport(v[0], v[1], v[2], v[3]);
      }
      if (changed === null || changed === 'clearColor') {
        var c = state.clearColor;
        gl.clearColor(c[0], c[1], c[2], c[3]);
      }
    }
  },

  pageInit__deps: ['$page', '$pageWindow'],
  pageInit: function (width, height) {
    page.describe();
    var canvas = Module['canvas'];
    pageWindow.open(width, height);
    var gl = canvas.getContext('webgl', {
      alpha: false, depth: true, stencil: false, antialias: false, premultipliedAlpha: false
    });
    if (!gl) {
      page.fail('The picture cannot be drawn: this browser has no WebGL, or it is turned off ' +
                '(look for hardware acceleration in its settings).');
    }
    var problem = page.build(gl);
    if (problem) page.fail(problem);
    // A lost context (a GPU reset, a tab put aside) comes back if the page
    // asks for it; the program's state is kept, and drawn again.
    canvas.addEventListener('webglcontextlost', function (event) {
      event.preventDefault();
      page.say('The graphics context was lost; the picture is being restored\u2026');
    });
    canvas.addEventListener('webglcontextrestored', function () {
      var failure = page.build(gl);
      page.say(failure || '');
      if (!failure) page.call(function () { Module['_programLoopDrawNow'](); });
    });
    Module['ctx'] = gl;
  },

  pageSetTitle: function (title) {
    document.title = UTF8ToString(title);
  },

  pageViewport__deps: ['$page'],
  pageViewport: function (x, y, width, height) {
    var v = page.webgl.state.viewport;
    v[0] = x;
    v[1] = y;
    v[2] = width;
    v[3] = height;
    page.setState('viewport');
  },

  pageClear__deps: ['$page'],
  pageClear: function (r, g, b, a, color, depth) {
    var gl = page.webgl.gl, c = page.webgl.state.clearColor;
    c[0] = r;
    c[1] = g;
    c[2] = b;
    c[3] = a;
    page.setState('clearColor');
    gl.clear((color ? gl.COLOR_BUFFER_BIT : 0) | (depth ? gl.DEPTH_BUFFER_BIT : 0));
  },

  pageEnableDepthTest__deps: ['$page'],
  pageEnableDepthTest: function () {
    page.webgl.state.depthTest = true;
    page.setState('depthTest');
  },

  pageDraw__deps: ['$page'],
  pageDraw: function (vertices, count) {
    var gl = page.webgl.gl;
    gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(vertices >> 2, (vertices >> 2) + count * 8),
                  gl.STREAM_DRAW);
    gl.drawArrays(gl.TRIANGLES, 0, count);
  },

  pageRequestFrame__deps: ['$page'],
  pageRequestFrame: function () {
    window.requestAnimationFrame(function () {
      page.call(function () { Module['_programLoopFrame'](); });
    });
  },

  pageIdleInstalled__deps: ['$page'],
  pageIdleInstalled: function (installed) {
    page.running = installed !== 0;
  },

  pageStartLoop__deps: ['$page', '$pageInput', '$pageWindow'],
  pageStartLoop: function () {
    pageInput.listen();
    pageWindow.listen();
    Module['_programLoopResize'](pageWindow.size[0], pageWindow.size[1], pageWindow.ratio);
    Module['callProgram'] = page.call;
    Module['view'] = page.view;
    Module['curves'] = page.curves;
    page.report();
    // Like a main loop that never returns: main ends here without exiting.
    throw 'unwind';
  }
});
