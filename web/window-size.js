// The program's window on the page: the frame's size in CSS pixels is the
// window's size for the program, the canvas's backing store has the screen's
// resolution, and every change reaches reshape and is drawn before the
// browser paints. In full screen the window keeps its size and is drawn
// larger, to be read from across a room.
mergeInto(LibraryManager.library, {
  $pageWindow__deps: ['$page'],
  $pageWindow: {
    windowSize: [0, 0],  // the size the program asked for its window
    fittedWidth: 0,  // the frame's width as fit() last set it
    size: null,  // the program's window size, in CSS pixels
    ratio: 1,  // the canvas's device pixels per pixel of the program's window
    scale: 1,  // the canvas's CSS pixels per pixel of the window: above 1 in full screen
    full: false,  // whether the frame fills the screen, as the page was last told
    pending: false,  // a request for full screen not answered yet
    endedAt: -Infinity,  // when full screen last ended, on the clock of event time stamps
    escaping: false,  // the last Escape went to leaving full screen

    // The program's window is created `width` x `height`: the frame takes
    // that size, or the page's width at its shape, and the canvas follows.
    open: function (width, height) {
      var frame = Module['canvas'].parentElement;
      pageWindow.windowSize = [width, height];
      pageWindow.fittedWidth = width;
      frame.style.width = width + 'px';
      frame.style.height = height + 'px';
      pageWindow.fit();
      pageWindow.sizeCanvas();
    },

    // The frame's size, the page's width and the screen's ratio, followed.
    listen: function () {
      var frame = Module['canvas'].parentElement;
      if (typeof ResizeObserver === 'function') new ResizeObserver(pageWindow.resized).observe(frame);
      window.addEventListener('resize', function () {
        pageWindow.fit();
        pageWindow.resized();
      });
      pageWindow.followRatio();
      document.addEventListener('fullscreenchange', pageWindow.fullScreenChanged);
      Module['setFullScreen'] = pageWindow.setFullScreen;
      Module['isFullScreen'] = pageWindow.fullScreen;
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
        pageWindow.resized();
        pageWindow.followRatio();
      }, { once: true });
    },

    // Where the page is narrower than the program's window, or the screen
    // lower, the frame takes the page's width or the screen's height at the
    // window's shape, as if a person had dragged its corner; it grows back
    // when the page widens, unless a person has resized it since. Not in full
    // screen, whose page is not the page the frame goes back to.
    fit: function () {
      var frame = Module['canvas'].parentElement;
      if (pageWindow.pending || pageWindow.fullScreen()) return;
      // A box the page's style leaves out of the layout (display: contents)
      // has no width of its own: its parent's is the room.
      var box = frame.parentElement;
      while (box.parentElement && getComputedStyle(box).display === 'contents') box = box.parentElement;
      var shape = pageWindow.windowSize[0] / pageWindow.windowSize[1];
      var room = Math.min(box.clientWidth, Math.floor(window.innerHeight * shape));
      var width = parseFloat(frame.style.width);
      if (!(width > room) && width !== pageWindow.fittedWidth) return;
      var fitted = Math.min(pageWindow.windowSize[0], room);
      frame.style.width = fitted + 'px';
      frame.style.height = Math.floor(fitted * pageWindow.windowSize[1] / pageWindow.windowSize[0]) + 'px';
      pageWindow.fittedWidth = fitted;
    },

    // The program's window is the frame's size in CSS pixels, and so are the
    // event positions; the canvas's backing store has the screen's
    // resolution, as many pixels each way as the size times the ratio,
    // rounded. In full screen the window keeps the size it had, and the
    // canvas is that size times the largest scale that fits the screen, its
    // ratio the scale times the screen's (the layer's limits hold for the
    // product too: the canvas has only the pixels that the layer draws).
    // Returns whether the size or the ratio changed.
    sizeCanvas: function () {
      var canvas = Module['canvas'];
      var frame = canvas.parentElement;
      var full = pageWindow.size !== null && pageWindow.fullScreen();
      var width = full ? pageWindow.size[0] : Math.max(0, Math.floor(frame.clientWidth));
      var height = full ? pageWindow.size[1] : Math.max(0, Math.floor(frame.clientHeight));
      var scale = full ? Math.min(frame.clientWidth / width, frame.clientHeight / height) : 1;
      if (!(isFinite(scale) && scale > 0)) scale = 1;  // a window or a screen without pixels
      var ratio = Math.min(8, Math.max(1 / 8, scale * pageWindow.pixelRatio()));
      pageWindow.scale = scale;
      canvas.style.width = full ? width * scale + 'px' : '';
      canvas.style.height = full ? height * scale + 'px' : '';
      var size = pageWindow.size;
      if (size && size[0] === width && size[1] === height && pageWindow.ratio === ratio) return false;
      pageWindow.size = [width, height];
      pageWindow.ratio = ratio;
      canvas.width = Math.round(width * ratio);
      canvas.height = Math.round(height * ratio);
      return true;
    },

    // Called before the browser paints the new size: the program reshapes
    // (if its size changed, not only the ratio) and draws in the same frame,
    // so that no cleared canvas is ever shown.
    resized: function () {
      if (!pageWindow.sizeCanvas()) return;
      var size = pageWindow.size, ratio = pageWindow.ratio;
      page.call(function () {
        Module['_programLoopResize'](size[0], size[1], ratio);
        Module['_programLoopDrawNow']();
      });
    },

    // The browser's full screen, or the page's own where the browser has
    // none: the frame filling the browser's viewport.
    fullScreen: function () {
      var frame = Module['canvas'].parentElement;
      return document.fullscreenElement === frame || frame.classList.contains('fills-viewport');
    },

    // The frame fills the screen (on) or goes back into the page. A browser
    // lets a page fill the screen only in answer to a click or a key: call
    // this in their handlers. A refusal is said in words, never thrown.
    // Without the Fullscreen API (Safari on a phone) the frame fills the
    // viewport instead, a state of the page's style.
    setFullScreen: function (on) {
      var frame = Module['canvas'].parentElement;
      var filling = frame.classList.contains('fills-viewport');
      if (filling || (on && !(document.fullscreenEnabled && typeof frame.requestFullscreen === 'function'))) {
        if (on === filling) return;
        frame.classList.toggle('fills-viewport', on);
        pageWindow.fullScreenChanged();
        return;
      }
      if (!on) {
        var leaving = pageWindow.fullScreen() ? document.exitFullscreen() : null;
        if (leaving && typeof leaving.catch === 'function') leaving.catch(function () {});
        return;
      }
      if (pageWindow.pending || pageWindow.fullScreen()) return;
      pageWindow.pending = true;
      var request;
      try {
        request = document.fullscreenEnabled && typeof frame.requestFullscreen === 'function' ?
          frame.requestFullscreen({ navigationUI: 'hide' }) : Promise.reject(null);
      } catch (e) {
        request = Promise.reject(e);
      }
      // Answered after the caller returns, even where the browser cannot.
      Promise.resolve(request).then(function () {
        pageWindow.pending = false;
      }, function (e) {
        pageWindow.pending = false;
        pageWindow.say(e ? 'The browser did not let the picture fill the screen' +
                          (e.message ? ' (' + e.message + ')' : '') + '.' :
                          'This browser cannot let the picture fill the screen.');
      });
    },

    // Entering or leaving full screen, whoever asked (the browser's own
    // Escape among them): the picture is drawn again at once at its new
    // scale, and the page hears of it through Module.onFullScreen. The
    // frame's class `full-screen` marks either kind for the page's style.
    fullScreenChanged: function () {
      var full = pageWindow.fullScreen();
      if (full === pageWindow.full) return;
      pageWindow.full = full;
      Module['canvas'].parentElement.classList.toggle('full-screen', full);
      if (!full) {
        pageWindow.endedAt = performance.now();
        pageWindow.fit();
      }
      pageWindow.resized();
      if (Module['onFullScreen']) Module['onFullScreen'](full);
    },

    // Words over the picture, until the next key or press: they must not
    // hide it for good.
    say: function (text) {
      page.say(text);
      var clear = function () {
        window.removeEventListener('keydown', clear, true);
        window.removeEventListener('pointerdown', clear, true);
        page.say('');
      };
      window.addEventListener('keydown', clear, true);
      window.addEventListener('pointerdown', clear, true);
    },

    // Escape in full screen only leaves it, as the browser's own Escape
    // does: it must not end the program. A browser may leave full screen
    // itself and still deliver the key, so a key pressed before full screen
    // ended (by its time stamp), and its repeats, are taken too. Returns
    // whether the key was taken.
    escape: function (event) {
      if (event.key !== 'Escape') return false;
      var taken = pageWindow.fullScreen() || event.timeStamp <= pageWindow.endedAt ||
                  (event.repeat && pageWindow.escaping);
      pageWindow.escaping = taken;
      if (taken) pageWindow.setFullScreen(false);
      return taken;
    }
  },

  // GLUT's full screen: the frame fills the screen, as the page's button
  // makes it. The program's window keeps its size.
  pageFullScreen__deps: ['$pageWindow'],
  pageFullScreen: function () {
    pageWindow.setFullScreen(true);
  },

  // GLUT's window size: full screen ends, and the frame takes the size as if
  // its corner had been dragged there (the full-screen frame ignores it
  // until then).
  pageReshapeWindow__deps: ['$pageWindow'],
  pageReshapeWindow: function (width, height) {
    var frame = Module['canvas'].parentElement;
    frame.style.width = Math.max(0, width) + 'px';
    frame.style.height = Math.max(0, height) + 'px';
    pageWindow.setFullScreen(false);
  }
});
