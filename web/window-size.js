// The program's window on the page: the frame's size in CSS pixels is the
// window's size for the program, the canvas's backing store has the screen's
// resolution, and every change reaches reshape and is drawn before the
// browser paints.
mergeInto(LibraryManager.library, {
  $webWindow__deps: ['$web'],
  $webWindow: {
    windowSize: [0, 0],  // the size the program asked for its window
    fittedWidth: 0,  // the frame's width as fit() last set it
    size: null,  // the program's window size, in CSS pixels
    ratio: 1,  // the canvas's device pixels per CSS pixel

    // The frame's size, the page's width and the screen's ratio, followed.
    listen: function () {
      var frame = Module['canvas'].parentElement;
      if (typeof ResizeObserver === 'function') new ResizeObserver(webWindow.resized).observe(frame);
      window.addEventListener('resize', function () {
        webWindow.fit();
        webWindow.resized();
      });
      webWindow.followRatio();
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
        webWindow.resized();
        webWindow.followRatio();
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
      if (!(width > room) && width !== webWindow.fittedWidth) return;
      var fitted = Math.min(webWindow.windowSize[0], room);
      frame.style.width = fitted + 'px';
      frame.style.height = Math.floor(fitted * webWindow.windowSize[1] / webWindow.windowSize[0]) + 'px';
      webWindow.fittedWidth = fitted;
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
      var ratio = webWindow.pixelRatio();
      var size = webWindow.size;
      if (size && size[0] === width && size[1] === height && webWindow.ratio === ratio) return false;
      webWindow.size = [width, height];
      webWindow.ratio = ratio;
      canvas.width = Math.round(width * ratio);
      canvas.height = Math.round(height * ratio);
      return true;
    },

    // Called before the browser paints the new size: the program reshapes
    // (if its size changed, not only the ratio) and draws in the same frame,
    // so that no cleared canvas is ever shown.
    resized: function () {
      if (!webWindow.sizeCanvas()) return;
      var size = webWindow.size, ratio = webWindow.ratio;
      web.call(function () {
        Module['_webResize'](size[0], size[1], ratio);
        Module['_webDrawNow']();
      });
    }
  },

  // GLUT's full screen: the frame fills the screen, as the page's button does.
  webglFullScreen__deps: ['$webWindow'],
  webglFullScreen: function () {
    webWindow.setFullScreen(true);
  },

  // GLUT's window size: out of full screen, the frame takes the size.
  webglReshapeWindow__deps: ['$webWindow'],
  webglReshapeWindow: function (width, height) {
    webWindow.setFullScreen(false);
    var frame = Module['canvas'].parentElement;
    frame.style.width = Math.max(0, width) + 'px';
    frame.style.height = Math.max(0, height) + 'px';
  }
});
