// The canvas's keys, mouse, pen and touch turned into GLUT's keyboard,
// special-key, mouse and motion callbacks, with the codes GLUT gives on the
// desktop. The page's buttons send their keys through Module.sendKey.
mergeInto(LibraryManager.library, {
  $webInput__deps: ['$web', '$webWindow'],
  $webInput: {
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
      var p = webInput.pointer;
      web.call(function () { Module[special ? '_webSpecialKey' : '_webKey'](code, p[0], p[1]); });
    },

    // The page's own buttons and links keep the keys that work them.
    onControl: function (target) {
      return target instanceof Element && target.closest('button, a, input, select, textarea') !== null;
    },

    // The pointer in the program's pixels, from the canvas's box: in full
    // screen the canvas shows the window larger than its size.
    position: function (event) {
      var rect = Module['canvas'].getBoundingClientRect();
      var scale = webWindow.scale;
      return [Math.floor((event.clientX - rect.left) / scale), Math.floor((event.clientY - rect.top) / scale)];
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
      webInput.buttonBits.forEach(function (bit) {
        if ((webInput.held & bit[0]) && !(buttons & bit[0])) {
          webInput.held &= ~bit[0];
          webInput.mouse(bit[1], 1, p);
        }
      });
      if (!pressing) return;
      webInput.buttonBits.forEach(function (bit) {
        if ((buttons & bit[0]) && !(webInput.held & bit[0])) {
          webInput.held |= bit[0];
          webInput.mouse(bit[1], 0, p);
        }
      });
    },

    // A move, or a button's change during a drag (which comes as a move).
    mouseMove: function (event) {
      var p = webInput.position(event);
      webInput.pointer = p;
      var change = event.button !== -1;
      webInput.mouseButtons(event.buttons, change && webInput.held !== 0, p);
      if (webInput.held && !change) webInput.motion(p);
    },

    centre: function () {
      var f = webInput.fingers, n = f.length;
      var x = 0, y = 0;
      for (var i = 0; i < n; ++i) {
        x += f[i].x;
        y += f[i].y;
      }
      return [Math.floor(x / n), Math.floor(y / n)];
    },

    spread: function () {
      var f = webInput.fingers;
      return Math.max(1, Math.hypot(f[0].x - f[1].x, f[0].y - f[1].y));
    },

    // One finger holds the left button, two the right one: a finger that
    // comes or goes releases the one and presses the other where the
    // fingers are.
    fingersChanged: function () {
      var n = webInput.fingers.length;
      var button = n === 1 ? 0 : n === 2 ? 2 : -1;
      if (button === webInput.fingerButton) return;
      if (webInput.fingerButton >= 0) webInput.mouse(webInput.fingerButton, 1, webInput.fingerPoint);
      webInput.fingerButton = button;
      if (button < 0) return;
      webInput.fingerPoint = webInput.centre();
      if (n === 2) webInput.pinchBase = webInput.spread();
      webInput.mouse(button, 0, webInput.fingerPoint);
    },

    fingerDown: function (event) {
      if (webInput.fingers.length === 2) return;  // a third finger takes no part
      var p = webInput.position(event);
      webInput.pointer = p;
      webInput.fingers.push({ id: event.pointerId, x: p[0], y: p[1] });
      webInput.fingersChanged();
    },

    fingerUp: function (event) {
      var kept = webInput.fingers.filter(function (f) { return f.id !== event.pointerId; });
      if (kept.length === webInput.fingers.length) return;
      webInput.fingers = kept;
      webInput.fingersChanged();
    },

    // The fingers drag their button at their centre; two fingers moving
    // apart or together turn the wheel up (zoom in) or down, one step per
    // `pinchStep` of their distance.
    fingerMove: function (event) {
      var finger = webInput.fingers.find(function (f) { return f.id === event.pointerId; });
      if (!finger) return;
      var p = webInput.position(event);
      webInput.pointer = p;
      finger.x = p[0];
      finger.y = p[1];
      var centre = webInput.centre();
      if (centre[0] !== webInput.fingerPoint[0] || centre[1] !== webInput.fingerPoint[1]) {
        webInput.fingerPoint = centre;
        webInput.motion(centre);
      }
      if (webInput.fingers.length !== 2) return;
      var spread = webInput.spread();
      while (spread >= webInput.pinchBase * webInput.pinchStep || spread <= webInput.pinchBase / webInput.pinchStep) {
        var button = spread > webInput.pinchBase ? 3 : 4;
        webInput.pinchBase *= button === 3 ? webInput.pinchStep : 1 / webInput.pinchStep;
        webInput.mouse(button, 0, centre);
        webInput.mouse(button, 1, centre);
      }
    },

    releaseAll: function () {
      webInput.mouseButtons(0, false, webInput.pointer);
      webInput.fingers = [];
      webInput.fingersChanged();
    },

    listen: function () {
      var canvas = Module['canvas'];
      window.addEventListener('keydown', function (event) {
        if (webWindow.escape(event)) {
          event.preventDefault();
          return;
        }
        var key = webInput.keyCode(event);
        if (key === null || web.ended) return;
        if (webInput.onControl(event.target) && (event.key === 'Enter' || event.key === ' ' || event.key === 'Tab'))
          return;
        // The page keeps its keys (space and arrows would scroll it), F1 and
        // F2 among them, but the browser keeps its shortcuts (with a
        // modifier, and the other function keys) and Tab moves on.
        var browsers = event.ctrlKey || event.altKey || event.metaKey || event.key === 'Tab' ||
                       (/^F\d+$/.test(event.key) && event.key !== 'F1' && event.key !== 'F2');
        if (!browsers) event.preventDefault();
        webInput.sendKey(key[0], key[1]);
      });
      Module['sendKey'] = webInput.sendKey;

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
          webInput.fingerDown(event);
        } else {
          webInput.pointer = webInput.position(event);
          webInput.mouseButtons(event.buttons, true, webInput.pointer);
        }
      });
      window.addEventListener('pointermove', function (event) {
        if (event.pointerType === 'touch') webInput.fingerMove(event);
        else webInput.mouseMove(event);
      });
      var lifted = function (event) {
        if (event.pointerType === 'touch') {
          webInput.fingerUp(event);
        } else if (event.type === 'pointerup') {
          webInput.pointer = webInput.position(event);
          webInput.mouseButtons(event.buttons, false, webInput.pointer);
        } else {
          webInput.mouseButtons(0, false, webInput.pointer);
        }
      };
      window.addEventListener('pointerup', lifted);
      window.addEventListener('pointercancel', lifted);
      canvas.addEventListener('lostpointercapture', lifted);
      // A release that no event will show: the page lost the focus or was hidden.
      window.addEventListener('blur', webInput.releaseAll);
      document.addEventListener('visibilitychange', function () {
        if (document.hidden) webInput.releaseAll();
      });
      // A wheel step is a press and release of button 3 (up) or 4 (down).
      canvas.addEventListener('wheel', function (event) {
        if (event.deltaY === 0) return;
        event.preventDefault();
        var p = webInput.position(event);
        var button = event.deltaY < 0 ? 3 : 4;
        webInput.mouse(button, 0, p);
        webInput.mouse(button, 1, p);
      }, { passive: false });

    }
  }
});
