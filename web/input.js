// The canvas's keys, mouse, pen and touch turned into GLUT's keyboard,
// special-key, mouse and motion callbacks, with the codes GLUT gives on the
// desktop. The page's buttons send their keys through Module.sendKey.
mergeInto(LibraryManager.library, {
  $pageInput__deps: ['$page', '$pageWindow'],
  $pageInput: {
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
      var p = pageInput.pointer;
      page.call(function () { Module[special ? '_programLoopSpecialKey' : '_programLoopKey'](code, p[0], p[1]); });
    },

    // The page's own buttons and links keep the keys that work them.
    onControl: function (target) {
      return target instanceof Element && target.closest('button, a, input, select, textarea') !== null;
    },

    // The pointer in the program's pixels, from the canvas's box: in full
    // screen the canvas shows the window larger than its size.
    position: function (event) {
      var rect = Module['canvas'].getBoundingClientRect();
      var scale = pageWindow.scale;
      return [Math.floor((event.clientX - rect.left) / scale), Math.floor((event.clientY - rect.top) / scale)];
    },

    mouse: function (button, state, p) {
      page.call(function () { Module['_programLoopMouse'](button, state, p[0], p[1]); });
    },

    // A wheel notch: a press and release of button 3 (up) or 4 (down).
    notch: function (button, p) {
      pageInput.mouse(button, 0, p);
      pageInput.mouse(button, 1, p);
    },

    // The wheel turned by `notches` (negative: up), a notch sent for each
    // whole one it adds up to. A turn the other way starts afresh.
    wheel: function (notches, p) {
      if (notches * pageInput.wheelTravel < 0) pageInput.wheelTravel = 0;
      pageInput.wheelTravel += notches;
      var sign = notches < 0 ? -1 : 1;
      // Within a millionth of a whole notch is one: deltas come rounded (to
      // float, or to a third), and three thirds may add up to a hair less.
      while (pageInput.wheelTravel * sign > 1 - 1e-6) {
        pageInput.wheelTravel -= sign;
        pageInput.notch(sign < 0 ? 3 : 4, p);
      }
    },

    holder: function (event) {
      return event.pointerType === 'touch' ? 'touch' : event.pointerId;
    },

    // Whether the event's pointer may press GLUT's buttons: the first to
    // press on the canvas keeps them until it has let go of everything, and
    // another one's presses, moves and releases send nothing meanwhile.
    mayHold: function (event) {
      return pageInput.hand === null || pageInput.hand === pageInput.holder(event);
    },

    freeHand: function () {
      if (!pageInput.held && !pageInput.fingers.length) pageInput.hand = null;
    },

    motion: function (p) {
      page.call(function () { Module['_programLoopMotion'](p[0], p[1]); });
    },

    // A mouse or pen: releases whatever `buttons` no longer holds (a release
    // may have happened where the page could not see it), then presses what
    // it newly holds when `pressing`.
    mouseButtons: function (buttons, pressing, p) {
      pageInput.buttonBits.forEach(function (bit) {
        if ((pageInput.held & bit[0]) && !(buttons & bit[0])) {
          pageInput.held &= ~bit[0];
          pageInput.mouse(bit[1], 1, p);
        }
      });
      if (pressing) {
        pageInput.buttonBits.forEach(function (bit) {
          if ((buttons & bit[0]) && !(pageInput.held & bit[0])) {
            pageInput.held |= bit[0];
            pageInput.mouse(bit[1], 0, p);
          }
        });
      }
      pageInput.freeHand();
    },

    // A move, or a button's change during a drag (which comes as a move).
    mouseMove: function (event) {
      var p = pageInput.position(event);
      pageInput.pointer = p;
      var change = event.button !== -1;
      pageInput.mouseButtons(event.buttons, change && pageInput.held !== 0, p);
      if (pageInput.held && !change) pageInput.motion(p);
    },

    centre: function () {
      var f = pageInput.fingers, n = f.length;
      var x = 0, y = 0;
      for (var i = 0; i < n; ++i) {
        x += f[i].x;
        y += f[i].y;
      }
      return [Math.floor(x / n), Math.floor(y / n)];
    },

    spread: function () {
      var f = pageInput.fingers;
      return Math.max(1, Math.hypot(f[0].x - f[1].x, f[0].y - f[1].y));
    },

    // One finger holds the left button; two hold nothing until their motion
    // shows a pinch or a drag (fingerMove). A finger that comes or goes
    // releases what the fingers held and starts afresh where they are.
    fingersChanged: function () {
      var n = pageInput.fingers.length;
      if (pageInput.fingerButton >= 0) pageInput.mouse(pageInput.fingerButton, 1, pageInput.fingerPoint);
      pageInput.fingerButton = -1;
      pageInput.twoFingers = '';
      pageInput.freeHand();
      if (n === 0) return;
      pageInput.fingerPoint = pageInput.centre();
      if (n === 2) {
        pageInput.pinchBase = pageInput.spread();
        pageInput.fingers.forEach(function (f) { f.moved = false; });
        return;
      }
      pageInput.fingerButton = 0;
      pageInput.mouse(0, 0, pageInput.fingerPoint);
    },

    fingerDown: function (event) {
      if (pageInput.fingers.length === 2) return;  // a third finger takes no part
      var p = pageInput.position(event);
      pageInput.pointer = p;
      pageInput.fingers.push({ id: event.pointerId, x: p[0], y: p[1] });
      pageInput.fingersChanged();
    },

    fingerUp: function (event) {
      var kept = pageInput.fingers.filter(function (f) { return f.id !== event.pointerId; });
      if (kept.length === pageInput.fingers.length) return;
      pageInput.fingers = kept;
      pageInput.fingersChanged();
    },

    // One finger, or two that drag, drag their button at their centre; two
    // that pinch, moving apart or together, turn the wheel up (zoom in) or
    // down, one step per `pinchStep` of their distance. Two fingers do
    // either, whichever their motion first shows more of, until one lifts.
    fingerMove: function (event) {
      var finger = pageInput.fingers.find(function (f) { return f.id === event.pointerId; });
      if (!finger) return;
      var p = pageInput.position(event);
      pageInput.pointer = p;
      finger.moved = finger.moved || finger.x !== p[0] || finger.y !== p[1];
      finger.x = p[0];
      finger.y = p[1];
      var centre = pageInput.centre();
      if (pageInput.fingers.length === 2 && !pageInput.twoFingers) {
        var spreadChange = Math.abs(pageInput.spread() - pageInput.pinchBase);
        var centreMotion = Math.hypot(centre[0] - pageInput.fingerPoint[0], centre[1] - pageInput.fingerPoint[1]);
        // Browsers report one finger at a time: until both have moved, a
        // quick drag would look like one finger pinching, so only a motion
        // well past the threshold decides then.
        var both = pageInput.fingers[0].moved && pageInput.fingers[1].moved;
        var threshold = pageInput.twoFingerThreshold * (both ? 1 : 3);
        if (Math.max(spreadChange, centreMotion) <= threshold) return;
        pageInput.twoFingers = spreadChange > centreMotion ? 'pinch' : 'drag';
        if (pageInput.twoFingers === 'drag') {
          // Pressed where the fingers came down, so that the drag turns as far as they moved.
          pageInput.fingerButton = 2;
          pageInput.mouse(2, 0, pageInput.fingerPoint);
        }
      }
      if (pageInput.twoFingers === 'pinch') {
        var spread = pageInput.spread(), step = pageInput.pinchStep;
        while (spread >= pageInput.pinchBase * step || spread <= pageInput.pinchBase / step) {
          var button = spread > pageInput.pinchBase ? 3 : 4;
          pageInput.pinchBase *= button === 3 ? step : 1 / step;
          pageInput.notch(button, centre);
        }
      } else if (centre[0] !== pageInput.fingerPoint[0] || centre[1] !== pageInput.fingerPoint[1]) {
        pageInput.fingerPoint = centre;
        pageInput.motion(centre);
      }
    },

    releaseAll: function () {
      pageInput.mouseButtons(0, false, pageInput.pointer);
      pageInput.fingers = [];
      pageInput.fingersChanged();
    },

    listen: function () {
      var canvas = Module['canvas'];
      window.addEventListener('keydown', function (event) {
        if (pageWindow.escape(event)) {
          event.preventDefault();
          return;
        }
        var key = pageInput.keyCode(event);
        if (key === null || page.ended) return;
        // Tab and Shift+Tab only move the focus, so that a keyboard user
        // reaches the buttons without changing what runs; F11 is the
        // browser's full screen, which fills the screen with the page.
        if (event.key === 'Tab' || event.key === 'F11') return;
        if (pageInput.onControl(event.target) && (event.key === 'Enter' || event.key === ' ')) return;
        // A text field keeps every key typed into it.
        if (event.target instanceof Element && event.target.closest('input[type="text"]')) return;
        // The page keeps its keys (space and arrows would scroll it, F3 open
        // the find bar), F1 to F4 and F8 among them, but the browser keeps
        // its shortcuts (with a modifier, and the other function keys: F5
        // reloads, F6 and F7 reach the address bar and caret browsing).
        var browsers = event.ctrlKey || event.altKey || event.metaKey ||
                       (/^F\d+$/.test(event.key) && !/^F[1-48]$/.test(event.key));
        if (!browsers) event.preventDefault();
        pageInput.sendKey(key[0], key[1]);
      });
      Module['sendKey'] = pageInput.sendKey;

      // Pointer events for mouse, pen and touch alike. The canvas captures a
      // pointer pressed on it, so that its moves and release come back even
      // from outside, as an X pointer grab gives them.
      canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
      canvas.addEventListener('pointerdown', function (event) {
        if (event.pointerType !== 'touch' && event.button > 2) return;  // back and forward stay the browser's
        event.preventDefault();
        canvas.focus({ preventScroll: true });
        if (!pageInput.mayHold(event)) return;
        pageInput.hand = pageInput.holder(event);
        try {
          canvas.setPointerCapture(event.pointerId);
        } catch (e) {
          // The pointer is gone already: its events end the drag.
        }
        if (event.pointerType === 'touch') {
          pageInput.fingerDown(event);
        } else {
          pageInput.pointer = pageInput.position(event);
          pageInput.mouseButtons(event.buttons, true, pageInput.pointer);
        }
      });
      window.addEventListener('pointermove', function (event) {
        if (!pageInput.mayHold(event)) return;
        if (event.pointerType === 'touch') pageInput.fingerMove(event);
        else pageInput.mouseMove(event);
      });
      var lifted = function (event) {
        if (!pageInput.mayHold(event)) return;
        if (event.pointerType === 'touch') {
          pageInput.fingerUp(event);
        } else if (event.type === 'pointerup') {
          pageInput.pointer = pageInput.position(event);
          pageInput.mouseButtons(event.buttons, false, pageInput.pointer);
        } else {
          pageInput.mouseButtons(0, false, pageInput.pointer);
        }
      };
      window.addEventListener('pointerup', lifted);
      window.addEventListener('pointercancel', lifted);
      canvas.addEventListener('lostpointercapture', lifted);
      // A release that no event will show: the page lost the focus or was hidden.
      window.addEventListener('blur', pageInput.releaseAll);
      document.addEventListener('visibilitychange', function () {
        if (document.hidden) pageInput.releaseAll();
      });
      canvas.addEventListener('wheel', function (event) {
        if (event.deltaY === 0) return;
        event.preventDefault();
        var perUnit = pageInput.notchesPerUnit[event.deltaMode] || pageInput.notchesPerUnit[0];
        pageInput.wheel(event.deltaY * perUnit, pageInput.position(event));
      }, { passive: false });

    }
  }
});
