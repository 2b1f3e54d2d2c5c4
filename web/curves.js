// The curves beside the numbers, over the steps the trail holds: how far the
// camera's direction is from the line of up, how far up is from the world's
// up, and how far the picture turns about its centre in a step. The program
// keeps them beside the trail (Module.curves(), four numbers a point, the
// last the eye's move, which is not plotted); here they are drawn, sharp
// at the screen's pixel ratio, and given as text: the value now and the
// extremes over the span.
'use strict';

var Curves = (function () {
  var series = [
    { decimals: 2, colour: '#fc6', dash: [], marker: false },
    { decimals: 2, colour: '#8cf', dash: [7, 4], marker: false },
    { decimals: 3, colour: '#f9c', dash: [], marker: true }
  ];
  // The turn's panel shows at least this much either way, so that a turn of
  // none reads as a flat line and the fourth demonstration's fills it.
  var smallestTurnScale = 0.5;

  // A number as a learner reads it: fixed decimals, no minus before zero,
  // and a dash for what is no number (a pose a link forced on the camera).
  var figure = function (value, decimals) {
    if (!isFinite(value)) return '\u2014';
    var text = value.toFixed(decimals);
    return /^-0\.?0*$/.test(text) ? text.slice(1) : text;
  };

  // `canvas` to draw on, `rows` the text's table rows, one per curve, each
  // with cells for the value now, the lowest and the highest; `note` says
  // when there is nothing to plot yet, `move` the eye's latest move.
  function Plot(canvas, rows, note, move) {
    this.canvas = canvas;
    this.cells = rows.map(function (row) { return Array.prototype.slice.call(row.querySelectorAll('td')); });
    this.note = note;
    this.move = move;
    this.points = null;
    this.span = 1;  // the plot's width in steps: the trail's length, once the program tells it
  }

  var setText = function (element, text) {
    if (element.textContent !== text) element.textContent = text;
  };

  // Takes the program's points (four doubles each, oldest first) and shows them.
  Plot.prototype.show = function (points) {
    var count = points.length / 4;
    this.points = points;
    setText(this.note, count === 0 ? 'No step yet: the curves start with the first step.' : '');
    setText(this.move, count === 0 ? '\u2013' : figure(points[points.length - 1], 3));
    for (var s = 0; s < series.length; ++s) {
      var cells = this.cells[s];
      if (count === 0) {
        cells.forEach(function (cell) { setText(cell, '\u2013'); });
        continue;
      }
      var low = Infinity, high = -Infinity;
      for (var i = s; i < points.length; i += 4) {
        if (!isFinite(points[i])) continue;
        low = Math.min(low, points[i]);
        high = Math.max(high, points[i]);
      }
      var decimals = series[s].decimals;
      setText(cells[0], figure(points[points.length - 4 + s], decimals) + '\u00b0');
      setText(cells[1], figure(low, decimals) + '\u00b0');
      setText(cells[2], figure(high, decimals) + '\u00b0');
    }
    this.draw();
  };

  // The canvas at the size it is shown, in the screen's pixels.
  Plot.prototype.fit = function () {
    var canvas = this.canvas, ratio = window.devicePixelRatio || 1;
    var width = Math.max(1, Math.round(canvas.clientWidth * ratio));
    var height = Math.max(1, Math.round(canvas.clientHeight * ratio));
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    return ratio;
  };

  Plot.prototype.draw = function () {
    var points = this.points;
    if (!points || this.canvas.clientWidth === 0) return;
    var ratio = this.fit();
    var context = this.canvas.getContext('2d');
    var width = this.canvas.width, height = this.canvas.height;
    var count = points.length / 4;
    var gap = 8 * ratio;
    // The angles above, 0 to 180 degrees; the turn below, about zero.
    var angles = { top: 4 * ratio, bottom: height * 0.62 };
    var turns = { top: angles.bottom + gap + 12 * ratio, bottom: height - 4 * ratio };
    var largest = 0;
    for (var i = 2; i < points.length; i += 4)
      if (isFinite(points[i])) largest = Math.max(largest, Math.abs(points[i]));
    var turnScale = Math.max(smallestTurnScale, Math.pow(2, Math.ceil(Math.log2(largest || 1))));
    var span = Math.max(this.span, count);
    var x = function (index) { return width - 1 - (count - 1 - index) * (width - 2) / Math.max(1, span - 1); };
    var yAngle = function (degrees) { return angles.bottom - degrees / 180 * (angles.bottom - angles.top); };
    var middle = (turns.top + turns.bottom) / 2, reach = (turns.bottom - turns.top) / 2;
    var yTurn = function (degrees) { return middle - Math.max(-1, Math.min(1, degrees / turnScale)) * reach; };

    context.clearRect(0, 0, width, height);
    context.font = 11 * ratio + 'px sans-serif';
    context.lineWidth = ratio;
    context.strokeStyle = '#555';
    context.fillStyle = '#bbb';
    context.setLineDash([]);
    context.beginPath();
    [0, 90, 180].forEach(function (degrees) {
      context.moveTo(0, yAngle(degrees));
      context.lineTo(width, yAngle(degrees));
    });
    [-turnScale, 0, turnScale].forEach(function (degrees) {
      context.moveTo(0, yTurn(degrees));
      context.lineTo(width, yTurn(degrees));
    });
    context.stroke();
    context.textBaseline = 'top';
    context.fillText('180\u00b0', 2 * ratio, yAngle(180) + ratio);
    context.fillText('90\u00b0', 2 * ratio, yAngle(90) + ratio);
    context.fillText('\u00b1' + turnScale + '\u00b0 a step', 2 * ratio, yTurn(turnScale) + ratio);

    series.forEach(function (curve, s) {
      var y = s < 2 ? yAngle : yTurn;
      context.strokeStyle = curve.colour;
      context.fillStyle = curve.colour;
      context.lineWidth = 1.5 * ratio;
      context.setLineDash(curve.dash.map(function (length) { return length * ratio; }));
      context.beginPath();
      var drawing = false;
      for (var i = 0; i < count; ++i) {
        var value = points[4 * i + s];
        if (!isFinite(value)) {
          drawing = false;
        } else if (drawing) {
          context.lineTo(x(i), y(value));
        } else {
          context.moveTo(x(i), y(value));
          drawing = true;
        }
      }
      context.stroke();
      // Markers every 50 steps and on the newest point tell the turn from the angles without colour.
      if (curve.marker) {
        for (i = count - 1; i >= 0; i -= 50) {
          if (!isFinite(points[4 * i + s])) continue;
          context.beginPath();
          context.arc(x(i), y(points[4 * i + s]), 2.5 * ratio, 0, 2 * Math.PI);
          context.fill();
        }
      }
    });
    context.setLineDash([]);
  };

  return { Plot: Plot, figure: figure, series: series };
})();
