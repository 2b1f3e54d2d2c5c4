// The tour: stops that walk a learner through the lesson, each a moment the
// page opens as a link does, with words on what to look at. A stop has its
// own address, #tour=<n> (1 for the first), which the page reads as the
// moment the stop defines; between stops the page adds to the browser's
// history, so that Back and Forward move between them.
'use strict';

var Tour = (function () {
  // Every figure here is one the numbers or the curves show at the stop.
  var stops = [
    {
      heading: 'Two views of one scene',
      moment: 'at=s120',
      words: 'The left view looks through the camera; the right view watches the same scene from outside, with the ' +
             'camera as a small marker, its red trail and the name of the running demonstration. In this first ' +
             'demonstration the camera circles at its own height. Its direction stays 90.00\u00b0 from the line ' +
             'of up (the solid curve), and the dotted curve below, the picture\u2019s turn, stays flat at 0.000\u00b0 a step: the ' +
             'picture never turns about its centre.'
    },
    {
      heading: 'The polar sphere near its top',
      moment: 'at=k1.s50&paused',
      words: 'The second demonstration rides up and down over a sphere while it circles; here, paused, it is near ' +
             'its highest point. Up stays (0, 1, 0), so the angle of up from the world\u2019s up reads 0.00\u00b0, ' +
             'while the camera looks down at the centre: its direction is 54.00\u00b0 from the line of up. The ' +
             'picture turned 0.264\u00b0 in the last step, the dotted curve in the lower part. Press Step to move on one step at a time.'
    },
    {
      heading: 'The fourth demonstration at the spin, slowed down',
      moment: 'at=k3.s40&pace=8',
      words: 'High above the pole, with up fixed at (0, 1, 0), the camera looks almost straight down: its direction ' +
             'comes close to the line of up, looking down, 8.59\u00b0 from it. Watch the left view turn about its ' +
             'centre while the eye hardly moves: the picture turns 0.445\u00b0 a step, the dotted curve in the ' +
             'lower part, while the eye moves 0.012 units. This runs at 1/8 speed.'
    },
    {
      heading: 'The fifth demonstration going over the top',
      moment: 'at=k4.s244&paused',
      words: 'The true examine mode turns the camera\u2019s own direction and up vectors. Its direction stays ' +
             '90.00\u00b0 from the line of up, and the picture\u2019s turn stays at 0.000\u00b0 a step. Here up ' +
             'is 90.90\u00b0 from the world\u2019s up, just past 90\u00b0: the camera is going over the top and ' +
             'turning upside down in the world, yet the left view does not spin. Resume, and the dashed curve ' +
             'climbs on while the dotted one stays flat.'
    },
    {
      heading: 'The hand over the pole, and what a mode key then does',
      moment: 'at=pAAAAAAAAAADGW5rGaAUjQPy58EeruAjAAAAAAAAAAADWkpAKDm_uv8qUwGzvxtM_AAAAAAAAAADKlMBs78bTv9aSkAoOb-6_&paused',
      words: 'A drag, or the arrow keys, took the camera over the top as the fifth demonstration does: up is ' +
             '108.00\u00b0 from the world\u2019s up and the direction still 90.00\u00b0 from the line of up. Now ' +
             'press Next demonstration: a mode key sets up back to (0, 1, 0), and the left view turns upside ' +
             'down at once, the jump the first four demonstrations cannot avoid. Home puts the camera back level.'
    },
    {
      heading: 'Zoom and the camera\u2019s frame',
      moment: 'at=k4.s200.i4&paused&F2',
      words: 'The camera frame (F2) shows direction (yellow), up (cyan) and right (magenta) at the marker in the ' +
             'right view, and a line of figures: how far direction and up are from unit length, the angle ' +
             'between them, the eye\u2019s distance and the picture\u2019s turn. Four notches of zoom moved the ' +
             'eye toward the point it orbits: its distance from the origin is now 4.0960. Drag the left view to ' +
             'orbit that point; the tour ends here.'
    }
  ];

  // What an address asks of the tour: the stop (from 0) or null, the address
  // of the moment to open, and a sentence for what cannot be reached.
  var resolve = function (hash) {
    var text = String(hash || '').replace(/^#/, '');
    var fields = text.split('&');
    var asked = null;
    fields.forEach(function (field) {
      // A link passed around may have its characters escaped.
      try {
        field = decodeURIComponent(field);
      } catch (error) {
        // Read as it came.
      }
      if (asked === null && /^tour(=|$)/.test(field)) asked = field.slice(5);
    });
    if (asked === null) return { stop: null, hash: hash, problems: [] };
    var problems = [];
    var number = /^[0-9]{1,3}$/.test(asked) ? Number(asked) : NaN;
    if (!(number >= 1 && number <= stops.length)) {
      problems.push('The link asks for stop \u201c' + asked.slice(0, 40) + '\u201d of the tour, which has stops 1 ' +
                    'to ' + stops.length + ', so the tour starts at its first stop.');
      number = 1;
    }
    if (fields.length > 1)
      problems.push('The link names a stop of the tour and more besides; the page shows the stop as the tour ' +
                    'defines it.');
    return { stop: number - 1, hash: '#' + stops[number - 1].moment, problems: problems };
  };

  // The tour's part of the page. `go(index)` opens a stop as a followed
  // link, `left()` is told when the learner leaves the tour.
  function Guide(byId, go, left) {
    var self = this;
    this.index = null;
    this.byId = byId;
    byId('take-tour').addEventListener('click', function () {
      go(0);
      byId('tour-heading').focus();
    });
    byId('tour-previous').addEventListener('click', function () {
      if (self.index > 0) go(self.index - 1);
    });
    byId('tour-next').addEventListener('click', function () {
      if (self.index < stops.length - 1) go(self.index + 1);
    });
    byId('tour-leave').addEventListener('click', function () {
      self.show(null);
      byId('take-tour').focus();
      left();
    });
  }

  // The stop shown (from 0), or null outside the tour.
  Guide.prototype.stop = function () {
    return this.index;
  };

  Guide.prototype.show = function (index) {
    var byId = this.byId;
    this.index = index;
    byId('tour').hidden = index === null;
    byId('take-tour').setAttribute('aria-expanded', index === null ? 'false' : 'true');
    if (index === null) return;
    var stop = stops[index];
    byId('tour-position').textContent = 'Stop ' + (index + 1) + ' of ' + stops.length;
    byId('tour-heading').textContent = stop.heading;
    byId('tour-words').textContent = stop.words;
    // Kept focusable at either end, so that the focus stays where it was.
    byId('tour-previous').setAttribute('aria-disabled', index === 0 ? 'true' : 'false');
    byId('tour-next').setAttribute('aria-disabled', index === stops.length - 1 ? 'true' : 'false');
  };

  return { stops: stops, resolve: resolve, Guide: Guide };
})();
