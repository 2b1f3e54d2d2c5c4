// The page around the program's window: its buttons send the keys they
// stand for, their names and the running demonstration's name follow the
// program, and a failure is said in words over the picture.
'use strict';

var Module = (function () {
  var byId = document.getElementById.bind(document);
  var buttons = Array.prototype.slice.call(document.querySelectorAll('#controls button'));
  var say = function (text) { byId('message').textContent = text; };
  var stop = function () {
    buttons.forEach(function (button) { button.disabled = true; });
  };
  var module = {
    canvas: byId('canvas'),
    onState: function (caption, running) {
      started = true;
      buttons.forEach(function (button) { button.disabled = false; });
      var name = running ? 'Pause' : 'Resume';
      if (byId('pause').textContent !== name) byId('pause').textContent = name;
      if (byId('caption').textContent !== caption) byId('caption').textContent = caption;
    },
    onMessage: say,
    onExit: function (status) {
      stop();
      byId('status').textContent = 'The program ended with status ' + status + '.';
    },
    onAbort: function (what) {
      stop();
      if (!started) say('The program could not start (' + what + '). Reload the page to try again.');
    },
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
  var started = false;

  buttons.forEach(function (button) {
    button.addEventListener('click', function () {
      var special = button.hasAttribute('data-special');
      module.sendKey(special, Number(button.getAttribute(special ? 'data-special' : 'data-key')));
    });
  });
  // A button pressed with a pointer does not keep the focus, so that the
  // keys go on reaching the program (Space would press the button again).
  byId('controls').addEventListener('mousedown', function (event) { event.preventDefault(); });
  window.addEventListener('error', function (event) {
    if (event.target instanceof HTMLScriptElement)
      say('The page could not load ' + event.target.src + '. Reload the page to try again.');
  }, true);
  return module;
})();
