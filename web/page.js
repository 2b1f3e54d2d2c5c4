// The page around the program's window: its buttons send the keys they
// stand for, the list of demonstrations, the speed, the numbers and the
// curves (curves.js) follow what the program reports, the address follows
// the moment shown (moment.js) and the page follows a changed address, the
// tour's stops included (tour.js), and a failure is said in words over the
// picture.
'use strict';

var Module = (function () {
  var byId = document.getElementById.bind(document);
  var all = function (selector) { return Array.prototype.slice.call(document.querySelectorAll(selector)); };
  var keyButtons = all('#controls button[data-key], #controls button[data-special], ' +
                       '#fullscreen-bar button[data-key], #fullscreen-bar button[data-special], #hand button');
  var turningButtons = all('#turning button');
  // The paces' and the demonstrations' buttons are made from the program's
  // description, with the program's own captions (describe below).
  var paceButtons = [];
  var modeButtons = all('#demonstrations button');
  var buttons = all('#controls button, #demonstrations button, #open-moment button, #turning button, ' +
                    '#fullscreen-bar button');
  var program = null;  // what the program defines (Module.program)
  var captions = [];
  var say = function (text) { byId('message').textContent = text; };
  var ended = false;  // the program has ended or could not start: nothing more opens
  var stop = function () {
    ended = true;
    // The address holds the last moment, and nothing changes it any more.
    if (recorder) {
      recorder.flush();
      recorder.stop();
    }
    buttons.forEach(function (button) { button.disabled = true; });
    ['take-tour', 'tour-previous', 'tour-next'].forEach(function (id) { byId(id).disabled = true; });
  };
  var setText = function (element, text) {
    if (element.textContent !== text) element.textContent = text;
  };
  var started = false;
  var recorder = null;  // what the program did since the page started, for the address
  var shown = { mode: -1, pace: 0, caption: null, running: null, angles: null };
  var numbersAt = -Infinity;  // when the numbers were last written
  var curvesAt = -Infinity;  // and the curves
  var curvesOf = { head: -1, pose: null };  // the view they were drawn for
  var plot = new Curves.Plot(byId('curves'), all('#curve-values tbody tr'), byId('curves-note'), byId('eye-move'));
  var following = null;  // the address the page itself wrote or followed last
  var tour = new Tour.Guide(byId, function (index) {
    var address = '#tour=' + (index + 1);
    try {
      history.pushState(history.state, '', address);
    } catch (error) {
      // A browser that refuses another entry for now: the stop opens all the same.
    }
    openMoment(address);
  }, function () {
    if (recorder) recorder.rewrite();
  });

  var chooseMode = function (mode) {
    // As a person would: the mode key as many times as it takes.
    var presses = (mode - shown.mode + captions.length) % captions.length;
    for (var i = 0; i < presses; ++i) module.sendKey(false, program.keys.mode);
  };
  var choosePace = function (pace) {
    var order = program.paces;
    var presses = (order.indexOf(pace) - order.indexOf(shown.pace) + order.length) % order.length;
    for (var i = 0; i < presses; ++i) module.sendKey(true, program.specialKeys.pace);
  };

  // The list of demonstrations (each item's own words stay the page's), a
  // button for each pace, and the trail's length in the words.
  var describe = function (described) {
    program = described;
    captions = program.captions;
    Moment.use(program);
    var list = byId('demonstrations');
    captions.forEach(function (caption, mode) {
      var button = modeButtons[mode];
      if (!button) {
        button = document.createElement('button');
        button.type = 'button';
        button.disabled = true;
        list.appendChild(document.createElement('li')).appendChild(button);
        modeButtons.push(button);
        buttons.push(button);
        button.addEventListener('click', function () { chooseMode(mode); });
      }
      button.textContent = caption;
    });
    paceButtons = program.paces.map(function (pace) {
      var button = document.createElement('button');
      button.type = 'button';
      button.disabled = true;
      button.textContent = pace === 1 ? 'full' : '1/' + pace;
      button.setAttribute('aria-keyshortcuts', 'F4');
      button.setAttribute('aria-pressed', 'false');
      button.title = 'F4 cycles the speeds';
      button.addEventListener('click', function () { choosePace(pace); });
      byId('speed').insertBefore(button, byId('pace-note'));
      buttons.push(button);
      return button;
    });
    setText(byId('trail-length'), String(program.trailLength));
    setText(byId('curves-span'), String(program.trailLength));
    plot.span = program.trailLength;
  };

  // The chosen demonstration at once, also while paused; the program's own
  // caption changes with its next step.
  var showMode = function (view) {
    if (view.mode === shown.mode && view.caption === shown.caption && view.running === shown.running) return;
    shown.mode = view.mode;
    shown.caption = view.caption;
    shown.running = view.running;
    modeButtons.forEach(function (button, mode) {
      if (mode === view.mode) button.setAttribute('aria-current', 'true');
      else button.removeAttribute('aria-current');
    });
    var chosen = captions[view.mode];
    // Running, the chosen one starts with the very next frame.
    var waiting = !view.running && chosen !== view.caption;
    setText(byId('now-label'), waiting ? 'Chosen:' : 'Demonstration:');
    setText(byId('caption'), chosen);
    setText(byId('now-note'), waiting ? '. It starts when the animation resumes or steps.' : '');
    setText(byId('pause'), view.running ? 'Pause' : 'Resume');
    setText(byId('bar-pause'), view.running ? 'Pause' : 'Resume');
  };

  // How the drag turns the camera (F8), in the page's pair and the full
  // screen's toggle; and, while the hand holds the camera, a way on.
  var showHand = function (view) {
    byId('hand').hidden = !view.handHolds;
    if (view.angles === shown.angles) return;
    shown.angles = view.angles;
    turningButtons.forEach(function (button) {
      button.setAttribute('aria-pressed', String(button.getAttribute('data-turning') === (view.angles ? '1' : '0')));
    });
    byId('bar-turning').setAttribute('aria-pressed', String(view.angles));
  };

  var showPace = function (pace) {
    if (pace === shown.pace) return;
    shown.pace = pace;
    paceButtons.forEach(function (button, i) {
      button.setAttribute('aria-pressed', program.paces[i] === pace ? 'true' : 'false');
    });
    setText(byId('pace-note'), pace === 1 ? '' : 'a step every ' + pace + ' frames');
  };

  // At least ten times a second while running, at once after anything else.
  var cells = all('#numbers tbody td');
  var showNumbers = function (view) {
    var now = performance.now();
    if (view.running && now - numbersAt < 80) return;
    numbersAt = now;
    var p = view.pose;
    // Five figures, but never in exponent form (four decimals below ten), and
    // a number that is not one (a vector of no length has no angle) a dash.
    var number = function (value) {
      if (!isFinite(value)) return '\u2014';
      var magnitude = Math.floor(Math.log10(Math.abs(value)));
      return Curves.figure(value, Math.abs(value) < 1e15 ? Math.max(0, 4 - Math.max(0, magnitude)) : 0);
    };
    var length = function (i) { return Math.hypot(p[i], p[i + 1], p[i + 2]); };
    var degrees = function (cosine) {
      return isFinite(cosine) ? (Math.acos(Math.max(-1, Math.min(1, cosine))) * 180 / Math.PI).toFixed(2) + '\u00b0' : '\u2014';
    };
    for (var i = 0; i < 9; ++i) setText(cells[i], number(p[i]));
    var dot = p[3] * p[6] + p[4] * p[7] + p[5] * p[8];
    setText(cells[9], degrees(dot / (length(3) * length(6))));
    setText(cells[10], degrees(p[7] / length(6)));
    setText(cells[11], number(length(0)));
  };

  // As often as the numbers, and only when a step or a hand moved the camera.
  var showCurves = function (view) {
    var now = performance.now();
    if (view.running && now - curvesAt < 80) return;
    var pose = curvesOf.pose;
    if (view.trailHead === curvesOf.head && pose && pose.every(function (v, i) { return Object.is(v, view.pose[i]); }))
      return;
    curvesAt = now;
    curvesOf = { head: view.trailHead, pose: Array.prototype.slice.call(view.pose) };
    plot.show(module.curves());
  };

  // Brings the program to the moment the address `hash` names, from its start
  // as a fresh load does (the tour's stops by the moment each defines), says
  // what of it the page cannot use, and from then on follows the moment in the
  // address, or keeps the stop's address while the tour shows it.
  var openMoment = function (hash) {
    if (ended) return;
    var target = Tour.resolve(hash);
    var link = Moment.parse(target.hash);
    setText(byId('link-note'), target.problems.concat(link.problems).join(' '));
    if (recorder) recorder.stop();
    recorder = null;
    module.callProgram(function () {
      module._programRestart();
      Moment.replay(module, link);
    });
    // Shown at once, also while running.
    numbersAt = curvesAt = -Infinity;
    curvesOf = { head: -1, pose: null };
    showNumbers(module.view());
    showCurves(module.view());
    // A browser may refuse a change of the address (it throws): the
    // recorder asks again later.
    recorder = new Moment.Recorder(link.log, module.view(), function (fragment) {
      if (tour.stop() !== null) return;
      history.replaceState(history.state, '', fragment ? '#' + fragment : location.pathname + location.search);
      following = location.hash;
    });
    tour.show(target.stop);
    following = location.hash;
  };

  var writeAddress = function (fragment) {
    history.replaceState(history.state, '', fragment ? '#' + fragment : location.pathname + location.search);
  };

  // The whole page at its beginning: the program's start state, the drag by
  // vectors, an empty record and an address with no moment. A program whose
  // runtime has exited cannot run again: the page opens anew, without the
  // moment its address held.
  var startAgain = function () {
    if (ended || !recorder) {
      writeAddress('');
      location.reload();
      return;
    }
    openMoment('');
    recorder.flush();
    setText(byId('status'), '');
  };

  // In full screen the bar rests, faded, three seconds after the last move,
  // touch or key over the picture.
  var restTimer = null;
  var rest = function () {
    var frame = byId('window');
    frame.classList.remove('resting');
    clearTimeout(restTimer);
    if (frame.classList.contains('full-screen'))
      restTimer = setTimeout(function () { frame.classList.add('resting'); }, 3000);
  };

  var module = {
    canvas: byId('canvas'),
    onDescribed: describe,
    // After every call into the program.
    onView: function (view) {
      if (!started) {
        started = true;
        buttons.forEach(function (button) { button.disabled = false; });
        byId('take-tour').disabled = false;
      }
      showMode(view);
      showPace(view.pace);
      showHand(view);
      showNumbers(view);
      showCurves(view);
      if (recorder) recorder.observe(view);
    },
    onFullScreen: function (on) {
      setText(byId('fullscreen'), on ? 'Leave full screen' : 'Full screen');
      byId('window').classList.toggle('full-screen', on);
      rest();
    },
    onMessage: say,
    onExit: function (status) {
      stop();
      byId('hand').hidden = true;
      byId('status').textContent = 'The program ended with status ' + status + '.';
      setText(byId('ended-note'), 'The program has ended: Start again opens the page anew, at the beginning.');
    },
    onAbort: function (what) {
      stop();
      if (!started) say('The program could not start (' + what + '). Reload the page to try again.');
    },
    // Once the program runs: the moment the address names, then the address
    // follows what is shown.
    postRun: function () {
      if (!module.callProgram) return;
      openMoment(location.hash);
      byId('start-again').disabled = false;
      // A changed address: pasted, a link followed, Back or Forward. The
      // page's own writes to the address fire neither event.
      var follow = function () {
        if (location.hash !== following) openMoment(location.hash);
      };
      window.addEventListener('hashchange', follow);
      window.addEventListener('popstate', follow);
    },
    // Brings the program to the moment an address or its fragment names, as
    // if the page had been opened at it, with a link's checks and sentences.
    openMoment: function (hash) { openMoment(hash); },
    // Loads the WebAssembly (or takes it from the page, where the single
    // file put it), so that a failure to load it can be said in words.
    instantiateWasm: function (imports, done) {
      var bytes = module.wasmBinary ? Promise.resolve(module.wasmBinary) :
        fetch('camera-demo.wasm').then(function (response) {
          if (!response.ok) throw new Error('camera-demo.wasm: ' + response.status + ' ' + response.statusText);
          return response.arrayBuffer();
        });
      bytes.then(function (wasm) { return WebAssembly.instantiate(wasm, imports); }).then(function (result) {
        done(result.instance);
      }, function (error) {
        stop();
        say(location.protocol === 'file:' && !module.wasmBinary ?
          'Opened from a file, this page cannot load camera-demo.wasm: the browser does not let a page ' +
          'read the files beside it. Open camera-demo.html instead, the same page in one file, or serve ' +
          'this folder from a web server.' :
          'The program could not be loaded (' + error + '). Reload the page to try again.');
      });
      return {};
    }
  };

  keyButtons.forEach(function (button) {
    button.addEventListener('click', function () {
      var special = button.hasAttribute('data-special');
      var name = button.getAttribute(special ? 'data-special' : 'data-key');
      module.sendKey(special, program[special ? 'specialKeys' : 'keys'][name]);
    });
  });
  modeButtons.forEach(function (button, mode) {
    button.addEventListener('click', function () { chooseMode(mode); });
  });
  byId('fullscreen').addEventListener('click', function () {
    module.setFullScreen(!module.isFullScreen());
  });
  byId('leave-fullscreen').addEventListener('click', function () { module.setFullScreen(false); });
  ['pointermove', 'pointerdown', 'keydown'].forEach(function (type) {
    byId('window').addEventListener(type, rest);
  });
  turningButtons.forEach(function (button) {
    button.addEventListener('click', function () {
      if (button.getAttribute('aria-pressed') !== 'true') module.sendKey(true, program.specialKeys.turning);
    });
  });
  byId('bar-turning').addEventListener('click', function () {
    module.sendKey(true, program.specialKeys.turning);
  });
  byId('start-again').addEventListener('click', startAgain);
  byId('copy-link').addEventListener('click', function () {
    // In the tour the address is the stop's; the link is the moment shown.
    var moment = !recorder || tour.stop() === null ? recorder : {
      fragment: function () { return recorder.fragment(); },
      link: function () { return location.href.replace(/#.*$/, '') + '#' + recorder.fragment(); }
    };
    var copy = Share.copy(moment);
    var shownInstead = function () {
      byId('status').textContent = 'This browser did not let the page copy; the ' + copy.name + ' is ' + copy.text;
    };
    var copied = function () { byId('status').textContent = copy.said; };
    if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(copy.text).then(copied, shownInstead);
    else shownInstead();
  });
  // A button pressed with a pointer does not keep the focus, so that the
  // keys go on reaching the program (Space would press the button again).
  byId('lesson').addEventListener('mousedown', function (event) {
    if (event.target instanceof Element && event.target.closest('button')) event.preventDefault();
  });
  // A new width or ratio of pixels (the page zoomed, moved to another
  // screen) draws the curves again at the canvas's new size.
  window.addEventListener('resize', function () { plot.draw(); });
  window.addEventListener('error', function (event) {
    if (event.target instanceof HTMLScriptElement)
      say('The page could not load ' + event.target.src + '. Reload the page to try again.');
  }, true);
  return module;
})();
