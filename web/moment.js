// A moment of the lesson in the page's address, so that a link opens the page
// exactly there. The program is deterministic: what changed its state since
// the page started (steps, mode keys, Home, the zoom's notches, and the poses
// a hand gave the camera), replayed from the start, gives that state back bit
// for bit, trail included. The address holds that record, kept short, and the
// switches that change no state: paused, the pace, F1, F2, and `angles`
// when the drag turns the camera by angles (F8) rather than by its vectors.
//
//   #at=s812.k3.s40.i2&paused&pace=4&F1&F2&angles
//
// `at` is the record, a dot between its parts: s<n> n steps, k<n> n mode keys
// (1 to 5), h Home, i<n> and o<n> n notches of zoom in and out, p<pose> the
// camera's position, direction and up as nine doubles (little-endian, in
// base64url). A link is read as text, never put into the page as markup.
'use strict';

var Moment = (function () {
  // What the program defines, from its description (Module.program), which
  // use() gives before anything else here runs.
  var trailLength, modeCount, startPose, paces, keys, specialKeys;
  var use = function (program) {
    trailLength = program.trailLength;
    modeCount = program.captions.length;
    startPose = program.startPose;
    paces = program.paces;
    keys = program.keys;
    specialKeys = program.specialKeys;
  };
  // What a link may ask for: about a second of replay on a slow machine (a
  // step takes 0.1 to 0.25 microseconds here), over four hours of running at
  // sixty steps a second; parts and characters to match.
  var stepLimit = 1000000;
  var partLimit = 2000;
  var lengthLimit = 100000;
  // The address changes at most four times a second; a browser that refuses
  // a change (some allow a page a hundred in thirty seconds) is asked again
  // less and less often, up to every eight seconds.
  var addressPeriod = 250;
  var longestAddressPeriod = 8000;
  // A pose's direction and up are of unit length within this: every turn,
  // aim and key writes them normalized or as exact constants, so their
  // rounding never builds up over a run. The soak and the event fuzzer,
  // which hold every step to this same bound, measured them at most 3.3e-16
  // off (2026-12-09).
  var unitTolerance = 1e-9;
  // Direction and up may lean as close together as a hand brings them:
  // twenty presses of the Up arrow then a mode key leave them 4.4e-8 (in
  // sine) from parallel, and a turn keeps that angle. Closer than this only
  // a crafted pose comes, and at exactly parallel the view has no side.
  var leastSine = 1e-12;
  // Nothing a hand does in a link's few thousand parts takes the eye this far.
  var farthestEye = 1e6;

  var samePose = function (a, b) {
    for (var i = 0; i < 9; ++i)
      if (!Object.is(a[i], b[i])) return false;
    return true;
  };

  // ---- the record ----

  // Appends a part, merged with the last where replaying both is the same as
  // replaying the merged one: steps with steps, mode keys with mode keys (five
  // of them change the mode back but still level the camera), zoom notches of
  // one sense, a pose or Home after a pose (which they replace entirely).
  var append = function (record, part) {
    var last = record[record.length - 1];
    if (last && last.kind === part.kind && (part.kind === 's' || part.kind === 'i' || part.kind === 'o')) {
      last.count += part.count;
    } else if (last && last.kind === 'k' && part.kind === 'k') {
      last.count = (last.count + part.count - 1) % modeCount + 1;
    } else if (last && last.kind === 'p' && (part.kind === 'p' || part.kind === 'h')) {
      record[record.length - 1] = part;
    } else if (!(last && last.kind === 'h' && part.kind === 'h')) {
      record.push(part);
    }
  };

  // What one call into the program did, from the state before and after it.
  // A call runs at most one step, or one key, or one turn of the hand.
  var observe = function (record, before, after) {
    var steps = (after.trailHead - before.trailHead + trailLength) % trailLength;
    if (steps > 0) {
      append(record, { kind: 's', count: steps });
      return;
    }
    var pose = Array.prototype.slice.call(after.pose);
    if (after.mode !== before.mode) {
      append(record, { kind: 'k', count: (after.mode - before.mode + modeCount) % modeCount });
      var levelled = Array.prototype.slice.call(before.pose);
      levelled.splice(6, 3, 0, 1, 0);
      if (!samePose(pose, levelled)) append(record, { kind: 'p', pose: pose });
    } else if (samePose(pose, startPose) && after.zoom === 0) {
      // Home gives exactly this state, however it was reached.
      if (!samePose(before.pose, startPose) || before.zoom !== 0) append(record, { kind: 'h' });
    } else if (after.zoom !== before.zoom) {
      var notches = after.zoom - before.zoom;
      append(record, { kind: notches > 0 ? 'i' : 'o', count: Math.abs(notches) });
    } else if (!samePose(pose, before.pose)) {
      append(record, { kind: 'p', pose: pose });
    }
  };

  // The same state from a shorter record. Once 800 steps have run since a
  // step of one of the first four demonstrations, with the camera level,
  // nothing before that step can be seen any more but through the angle (the
  // number of steps), the radius the third demonstration left and the
  // elevation the second or fourth left: the step rewrites the camera's
  // position and direction, and the 800 steps the whole trail. Everything
  // before it is replayed as that many steps of the first demonstration, but
  // for the steps that last wrote the radius and the elevation, in their own
  // demonstrations at their own numbers. `cutOf` finds where a record may be
  // cut and what the part before the cut left (null where it may not).
  var cutOf = function (record) {
    var mode = 0, step = 0, level = true;
    var radiusStep = 0, elevation = { kind: 'zero', step: 0 };
    var cut = -1, cutState = null;
    var stepsAfter = [];  // steps from each part to the end
    for (var total = 0, i = record.length - 1; i >= 0; --i) {
      if (record[i].kind === 's') total += record[i].count;
      stepsAfter[i] = total;
    }
    for (i = 0; i < record.length; ++i) {
      var part = record[i];
      if (part.kind === 's') {
        if (mode < 4 && level && stepsAfter[i] >= trailLength) {
          cut = i;
          cutState = { mode: mode, step: step, radiusStep: radiusStep, elevation: elevation };
        }
        // Within a run every step writes the same things: the last one counts.
        step += part.count;
        if (mode === 2) radiusStep = step;
        if (mode === 1 || mode === 3) elevation = { kind: mode === 1 ? 'swing' : 'high', step: step };
        if (mode === 4) {
          elevation = { kind: 'zero', step: step };
          level = false;
        }
      } else if (part.kind === 'k') {
        mode = (mode + part.count) % modeCount;
        level = true;
      } else if (part.kind === 'h') {
        level = true;
      } else if (part.kind === 'p') {
        // Exactly level: a zero of the other sign would stay through the steps.
        level = samePose(part.pose.slice(0, 6).concat([0, 1, 0]), part.pose);
      }
    }
    return cut <= 0 ? null : Object.assign({ at: cut }, cutState);
  };

  var shorten = function (record) {
    var cutState = cutOf(record);
    if (!cutState) return record;
    var writers = [];
    if (cutState.radiusStep > 0) writers.push({ step: cutState.radiusStep, mode: 2 });
    if (cutState.elevation.kind !== 'zero')
      writers.push({ step: cutState.elevation.step, mode: cutState.elevation.kind === 'swing' ? 1 : 3 });
    writers.sort(function (a, b) { return a.step - b.step; });
    // The mode keys go in just before the steps that need them.
    var shorter = [], at = 0, prefixMode = 0;
    var run = function (mode, count) {
      var presses = (mode - prefixMode + modeCount) % modeCount;
      if (count === 0) return;
      if (presses > 0) append(shorter, { kind: 'k', count: presses });
      append(shorter, { kind: 's', count: count });
      prefixMode = mode;
    };
    writers.forEach(function (writer) {
      run(0, writer.step - 1 - at);
      run(writer.mode, 1);
      at = writer.step;
    });
    run(0, cutState.step - at);
    var presses = (cutState.mode - prefixMode + modeCount) % modeCount;
    if (presses > 0) append(shorter, { kind: 'k', count: presses });
    record.slice(cutState.at).forEach(function (part) { append(shorter, Object.assign({}, part)); });
    return encodeRecord(shorter).length < encodeRecord(record).length ? shorter : record;
  };

  // ---- text ----

  var base64 = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';

  var poseText = function (pose) {
    var bytes = new Uint8Array(new Float64Array(pose).buffer);
    var text = '';
    for (var i = 0; i < bytes.length; i += 3) {
      var word = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
      text += base64[word >> 18] + base64[word >> 12 & 63] + base64[word >> 6 & 63] + base64[word & 63];
    }
    return text;
  };

  var poseFromText = function (text) {
    var bytes = new Uint8Array(72);
    for (var i = 0, j = 0; i < text.length; i += 4, j += 3) {
      var word = 0;
      for (var k = 0; k < 4; ++k) word = word << 6 | base64.indexOf(text[i + k]);
      bytes[j] = word >> 16;
      bytes[j + 1] = word >> 8 & 255;
      bytes[j + 2] = word & 255;
    }
    return Array.prototype.slice.call(new Float64Array(bytes.buffer));
  };

  var encodeRecord = function (record) {
    return record.map(function (part) {
      return part.kind === 'h' ? 'h' : part.kind === 'p' ? 'p' + poseText(part.pose) : part.kind + part.count;
    }).join('.');
  };

  var fragment = function (record, view) {
    var fields = [];
    if (record.length > 0) fields.push('at=' + encodeRecord(shorten(record)));
    if (!view.running) fields.push('paused');
    if (view.pace !== 1) fields.push('pace=' + view.pace);
    if (view.controls) fields.push('F1');
    if (view.frame) fields.push('F2');
    if (view.angles) fields.push('angles');
    return fields.join('&');
  };

  // Why `pose` is not one the program can reach, or null: what a link's
  // pose must keep. Lengths in plain arithmetic, so that a vector of
  // denormal components has length zero, and one beyond 1e154 none.
  var poseFault = function (pose) {
    if (!pose.every(isFinite)) return 'not every number in it is finite';
    var length = function (i) { return Math.sqrt(pose[i] * pose[i] + pose[i + 1] * pose[i + 1] + pose[i + 2] * pose[i + 2]); };
    if (!(length(0) <= farthestEye)) return 'its eye lies more than ' + farthestEye + ' units from the origin';
    if (!(Math.abs(length(3) - 1) <= unitTolerance)) return 'its direction is not of unit length';
    if (!(Math.abs(length(6) - 1) <= unitTolerance)) return 'its up is not of unit length';
    var d = pose.slice(3, 6), u = pose.slice(6, 9);
    var sine = Math.hypot(d[1] * u[2] - d[2] * u[1], d[2] * u[0] - d[0] * u[2], d[0] * u[1] - d[1] * u[0]);
    if (!(sine >= leastSine)) return 'its direction is parallel to its up';
    return null;
  };

  // A stranger's text, shown as text and cut short.
  var quote = function (text) {
    return '\u201c' + (text.length > 40 ? text.slice(0, 40) + '\u2026' : text) + '\u201d';
  };

  // The record in a link, or the sentence that says why it cannot be used.
  var readRecord = function (text) {
    var parts = text.split('.');
    if (parts.length > partLimit)
      return { problem: 'The link\u2019s moment has ' + parts.length + ' parts, more than the ' + partLimit +
                        ' a link may have, so the page starts at the beginning.' };
    var record = [], steps = 0;
    for (var i = 0; i < parts.length; ++i) {
      var part = parts[i];
      var counted = /^([skio])([1-9][0-9]{0,8})$/.exec(part);
      var count = counted ? Number(counted[2]) : 0;
      // More than five mode keys or a hundred notches say nothing more.
      var most = counted ? { s: Infinity, k: modeCount, i: 100, o: 100 }[counted[1]] : 0;
      if (counted && count <= most) {
        record.push({ kind: counted[1], count: count });
        if (counted[1] === 's') steps += count;
      } else if (part === 'h') {
        record.push({ kind: 'h' });
      } else if (/^p[A-Za-z0-9_-]{96}$/.test(part)) {
        var pose = poseFromText(part.slice(1));
        var fault = poseFault(pose);
        if (fault)
          return { problem: 'The camera\u2019s pose in the link is not one the camera can have (' + fault +
                            '), so the page starts at the beginning.' };
        record.push({ kind: 'p', pose: pose });
      } else {
        return { problem: 'The page could not read the link\u2019s moment (at ' + quote(part) +
                          '), so it starts at the beginning.' };
      }
    }
    if (steps > stepLimit)
      return { problem: 'The link asks for ' + steps + ' steps, and a link may ask for at most ' + stepLimit +
                        ' (about a second of replay), so the page starts at the beginning.' };
    return { record: record };
  };

  // What a link asks for, and a sentence for each part of it the page cannot use.
  var parse = function (hash) {
    var link = { log: [], running: true, pace: 1, controls: false, frame: false, angles: false, problems: [] };
    var text = String(hash || '').replace(/^#/, '');
    if (text === '') return link;
    if (text.length > lengthLimit) {
      link.problems.push('The link is ' + text.length + ' characters long, more than the ' + lengthLimit +
                         ' the page reads, so it starts as if there were no link.');
      return link;
    }
    text.split('&').forEach(function (field) {
      // A link passed around may have its characters escaped.
      try {
        field = decodeURIComponent(field);
      } catch (error) {
        // Kept as it came: it is only ever shown as text.
      }
      var name = field, value = null, equals = field.indexOf('=');
      if (equals >= 0) {
        name = field.slice(0, equals);
        value = field.slice(equals + 1);
      }
      if (name === 'at' && value !== null) {
        var read = readRecord(value);
        if (read.problem) link.problems.push(read.problem);
        else link.log = read.record;
      } else if (name === 'paused' && value === null) {
        link.running = false;
      } else if (name === 'pace' && paces.map(String).indexOf(value) >= 0) {
        link.pace = Number(value);
      } else if (name === 'pace') {
        link.problems.push('The link\u2019s pace ' + quote(value || '') + ' is not ' + paces.slice(0, -1).join(', ') +
                           ' or ' + paces[paces.length - 1] + ', so the page runs at full speed.');
      } else if ((name === 'F1' || name === 'F2') && value === null) {
        link[name === 'F1' ? 'controls' : 'frame'] = true;
      } else if (name === 'angles' && value === null) {
        link.angles = true;
      } else if (field !== '') {
        link.problems.push('The link holds ' + quote(field) + ', which this page does not know; it was left out.');
      }
    });
    return link;
  };

  // Brings the program to the link's moment, within one call into it.
  var replay = function (program, link) {
    var press = function (times, f) {
      for (var i = 0; i < times; ++i) f();
    };
    link.log.forEach(function (part) {
      if (part.kind === 's') program._programSteps(part.count);
      else if (part.kind === 'k') press(part.count, function () { program._programKeyboard(keys.mode, 0, 0); });
      else if (part.kind === 'h') program._programSpecial(specialKeys.home, 0, 0);
      else if (part.kind === 'i') press(part.count, function () { program._programSpecial(specialKeys.zoomIn, 0, 0); });
      else if (part.kind === 'o') press(part.count, function () { program._programSpecial(specialKeys.zoomOut, 0, 0); });
      else if (part.kind === 'p') program._programSetPose.apply(null, part.pose);
    });
    var view = program.view();
    press((paces.indexOf(link.pace) - paces.indexOf(view.pace) + paces.length) % paces.length,
          function () { program._programSpecial(specialKeys.pace, 0, 0); });
    if (view.controls !== link.controls) program._programSpecial(specialKeys.controls, 0, 0);
    if (view.frame !== link.frame) program._programSpecial(specialKeys.frame, 0, 0);
    if (view.angles !== link.angles) program._programSpecial(specialKeys.turning, 0, 0);
    if (program.view().running !== link.running) program._programKeyboard(keys.space, 0, 0);
  };

  // Follows the program from `view` on, with `record` what brought it there,
  // and writes the fragment of the address through `write`, at most every
  // `addressPeriod` milliseconds.
  function Recorder(record, view, write) {
    this.record = record.map(function (part) { return Object.assign({}, part); });
    this.last = Recorder.copy(view);
    this.write = write;
    this.written = null;
    this.timer = null;
    this.writtenAt = -Infinity;
    this.period = addressPeriod;
    this.schedule();
  }

  Recorder.copy = function (view) {
    return { pose: Array.prototype.slice.call(view.pose), mode: view.mode, trailHead: view.trailHead,
             zoom: view.zoom, running: view.running, pace: view.pace, controls: view.controls, frame: view.frame,
             angles: view.angles };
  };

  Recorder.prototype.observe = function (view) {
    var last = this.last;
    if (view.trailHead === last.trailHead && view.mode === last.mode && view.zoom === last.zoom &&
        samePose(view.pose, last.pose) && view.running === last.running && view.pace === last.pace &&
        view.controls === last.controls && view.frame === last.frame && view.angles === last.angles)
      return;
    observe(this.record, last, view);
    this.last = Recorder.copy(view);
    this.schedule();
  };

  Recorder.prototype.fragment = function () {
    return fragment(this.record, this.last);
  };

  // The whole address of this moment, built from the moment itself: the
  // address bar may lag behind it where the browser refused a change.
  Recorder.prototype.link = function () {
    this.flush();
    var text = this.fragment();
    return location.href.split('#')[0] + (text ? '#' + text : '');
  };

  Recorder.prototype.flush = function () {
    clearTimeout(this.timer);
    this.timer = null;
    this.writtenAt = performance.now();
    var text = this.fragment();
    if (text === this.written) return;
    try {
      this.write(text);
      this.written = text;
      this.period = addressPeriod;
    } catch (error) {
      // The page goes on; the address follows once the browser lets it.
      this.period = Math.min(2 * this.period, longestAddressPeriod);
      this.schedule();
    }
  };

  // Writes no more: another recorder follows the program from here.
  Recorder.prototype.stop = function () {
    clearTimeout(this.timer);
    this.timer = null;
    this.write = function () {};
    this.observe = function () {};
  };

  // Writes the address again, also when the fragment is the one written last.
  Recorder.prototype.rewrite = function () {
    this.written = null;
    this.flush();
  };

  Recorder.prototype.schedule = function () {
    if (this.timer !== null) return;
    var self = this;
    var wait = Math.max(0, this.writtenAt + this.period - performance.now());
    this.timer = setTimeout(function () { self.flush(); }, wait);
  };

  return { use: use, parse: parse, replay: replay, Recorder: Recorder, cutOf: cutOf };
})();
