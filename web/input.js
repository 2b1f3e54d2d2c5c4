// The canvas's keys, mouse, pen and touch turned into GLUT's keyboard,
// special-key, mouse and motion callbacks, with the codes GLUT gives on the
// desktop. The page's buttons send their keys through Module.sendKey.
mergeInto(LibraryManager.library, {
  $webInput__deps: ['$web', '$webWindow'],
  $webInput: {
    pointer: [0, 0],  // where a pointer was last seen, for the key callbacks
    // What holds GLUT's buttons: 'touch' (the fingers), a mouse's or pen's
    // pointerId, or null. GLUT has one set of buttons, so a second pointer
    // could otherwise release or drag what the first one holds.
    hand: null,
    held: 0,  // the mouse's or pen's buttons held on the canvas, as PointerEvent.buttons
    fingers: [],  // the fingers on the canvas, first down first: { id, x, y, moved }
    fingerButton: -1,  // the GLUT button the fingers hold: left for one, right for a two-finger drag
    fingerPoint: [0, 0],  // where the fingers' button was last pressed or moved; two fingers' first centre
    pinchBase: 1,  // two fingers' distance when they came down, then at the last zoom step
    twoFingers: '',  // what two fingers do once their motion shows it: 'pinch' or 'drag'
    wheelTravel: 0,  // the wheel's turn toward its next notch, in notches (negative: up)

    // The GLUT button for each of PointerEvent.buttons' bits.
    buttonBits: [[1, 0], [4, 1], [2, 2]],
    // A pinch zooms one wheel step each time the fingers' distance changes by this ratio.
    pinchStep: 1.25,
    // How far (CSS pixels) two fingers' spread or centre moves before the
    // gesture is a pinch or a drag: a hand never moves both fingers exactly
    // alike, and a pinch that also turned the view would lose its aim.
    twoFingerThreshold: 10,
    // A wheel notch in each of WheelEvent's deltaMode units: 100 pixels, 3
    // lines or a page, so that a trackpad or a fine wheel zooms as far as a
    // notched wheel turned as far.
    notchesPerUnit: [1 / 100, 1 / 3, 1],

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

    // A wheel notch: a press and release of button 3 (up) or 4 (down).
    notch: function (button, p) {
      webInput.mouse(button, 0, p);
      webInput.mouse(button, 1, p);
    },

    // The wheel turned by `notches` (negative: up), a notch sent for each
    // whole one it adds up to. A turn the other way starts afresh.
    wheel: function (notches, p) {
      if (notches * webInput.wheelTravel < 0) webInput.wheelTravel = 0;
      webInput.wheelTravel += notches;
      var sign = notches < 0 ? -1 : 1;
      // Within a millionth of a whole notch is one: deltas come rounded (to
      // float, or to a third), and three thirds may add up to a hair less.
      while (webInput.wheelTravel * sign > 1 - 1e-6) {
        webInput.wheelTravel -= sign;
        webInput.notch(sign < 0 ? 3 : 4, p);
      }
    },

    holder: function (event) {
      return event.pointerType === 'touch' ? 'touch' : event.pointerId;
    },

    // Whether the event's pointer may press GLUT's buttons: the first to
    // press on the canvas keeps them until it has let go of everything, and
    // another one's presses, moves and releases send nothing meanwhile.
    mayHold: function (event) {
      return webInput.hand === null || webInput.hand === webInput.holder(event);
    },

    freeHand: function () {
      if (!webInput.held && !webInput.fingers.length) webInput.hand = null;
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
      if (pressing) {
        webInput.buttonBits.forEach(function (bit) {
          if ((buttons & bit[0]) && !(webInput.held & bit[0])) {
            webInput.held |= bit[0];
            webInput.mouse(bit[1], 0, p);
          }
        });
      }
      webInput.freeHand();
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

    // One finger holds the left button; two hold nothing until their motion
    // shows a pinch or a drag (fingerMove). A finger that comes or goes
    // releases what the fingers held and starts afresh where they are.
    fingersChanged: function () {
      var n = webInput.fingers.length;
      if (webInput.fingerButton >= 0) webInput.mouse(webInput.fingerButton, 1, webInput.fingerPoint);
      webInput.fingerButton = -1;
      webInput.twoFingers = '';
      webInput.freeHand();
      if (n === 0) return;
      webInput.fingerPoint = webInput.centre();
      if (n === 2) {
        webInput.pinchBase = webInput.spread();
        webInput.fingers.forEach(function (f) { f.moved = false; });
        return;
      }
      webInput.fingerButton = 0;
      webInput.mouse(0, 0, webInput.fingerPoint);
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

    // One finger, or two that drag, drag their button at their centre; two
    // that pinch, moving apart or together, turn the wheel up (zoom in) or
    // down, one step per `pinchStep` of their distance. Two fingers do
    // either, whichever their motion first shows more of, until one lifts.
    fingerMove: function (event) {
      var finger = webInput.fingers.find(function (f) { return f.id === event.pointerId; });
      if (!finger) return;
      var p = webInput.position(event);
      webInput.pointer = p;
      finger.moved = finger.moved || finger.x !== p[0] || finger.y !== p[1];
      finger.x = p[0];
      finger.y = p[1];
      var centre = webInput.centre();
      if (webInput.fingers.length === 2 && !webInput.twoFingers) {
        var spreadChange = Math.abs(webInput.spread() - webInput.pinchBase);
        var centreMotion = Math.hypot(centre[0] - webInput.fingerPoint[0], centre[1] - webInput.fingerPoint[1]);
        // Browsers report one finger at a time: until both have moved, a
        // quick drag would look like one finger pinching, so only a motion
        // well past the threshold decides then.
        var both = webInput.fingers[0].moved && webInput.fingers[1].moved;
        var threshold = webInput.twoFingerThreshold * (both ? 1 : 3);
        if (Math.max(spreadChange, centreMotion) <= threshold) return;
        webInput.twoFingers = spreadChange > centreMotion ? 'pinch' : 'drag';
        if (webInput.twoFingers === 'drag') {
          // Pressed where the fingers came down, so that the drag turns as far as they moved.
          webInput.fingerButton = 2;
          webInput.mouse(2, 0, webInput.fingerPoint);
        }
      }
      if (webInput.twoFingers === 'pinch') {
        var spread = webInput.spread(), step = webInput.pinchStep;
        while (spread >= webInput.pinchBase * step || spread <= webInput.pinchBase / step) {
          var button = spread > webInput.pinchBase ? 3 : 4;
          webInput.pinchBase *= button === 3 ? step : 1 / step;
          webInput.notch(button, centre);
        }
      } else if (centre[0] !== webInput.fingerPoint[0] || centre[1] !== webInput.fingerPoint[1]) {
        webInput.fingerPoint = centre;
        webInput.motion(centre);
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
        // Tab and Shift+Tab only move the focus, so that a keyboard user
        // reaches the buttons without changing what runs; F11 is the
        // browser's full screen, which fills the screen with the page.
        if (event.key === 'Tab' || event.key === 'F11') return;
        if (webInput.onControl(event.target) && (event.key === 'Enter' || event.key === ' ')) return;
        // The page keeps its keys (space and arrows would scroll it, F3 open
        // the find bar), F1 to F4 among them, but the browser keeps its
        // shortcuts (with a modifier, and the other function keys).
        var browsers = event.ctrlKey || event.altKey || event.metaKey ||
                       (/^F\d+$/.test(event.key) && !/^F[1-4]$/.test(event.key));
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
        if (!webInput.mayHold(event)) return;
        webInput.hand = webInput.holder(event);
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
        if (!webInput.mayHold(event)) return;
        if (event.pointerType === 'touch') webInput.fingerMove(event);
        else webInput.mouseMove(event);
      });
      var lifted = function (event) {
        if (!webInput.mayHold(event)) return;
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
      canvas.addEventListener('wheel', function (event) {
        if (event.deltaY === 0) return;
        event.preventDefault();
        var perUnit = webInput.notchesPerUnit[event.deltaMode] || webInput.notchesPerUnit[0];
        webInput.wheel(event.deltaY * perUnit, webInput.position(event));
      }, { passive: false });

    }
  }
});
