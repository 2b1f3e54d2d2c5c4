// Handing a moment on. Copy link copies what opens this moment and says
// whether it will: the page reads its own copy with the checks a link meets.
// Opened from disk, the page's address is a path on this computer, so what
// is copied is the moment itself, and any copy of the page takes it in
// through "Open a moment".
'use strict';

var Share = (function () {
  // What Copy link copies: { text, name, said }, `said` for after the copy.
  var copy = function (recorder) {
    var fragment = recorder ? recorder.fragment() : '';
    var fromDisk = location.protocol === 'file:';
    var text = fromDisk ? '#' + fragment : recorder ? recorder.link() : location.href;
    var problems = Moment.parse(fragment).problems;
    var said = fromDisk ?
      'Copied this moment rather than the address: opened from a file, the address is a path on this ' +
      'computer that no one else can open. In any copy of the page, paste it into \u201cOpen a moment\u201d.' :
      'Copied: the link opens this moment of the lesson.';
    if (problems.length > 0)
      said = 'Copied, but it will not open this moment. ' + problems.join(' ');
    return { text: text, name: fromDisk ? 'moment' : 'link', said: said };
  };

  // The fragment a pasted link or moment names: what follows its first #, or
  // nothing for an address without one (the start), or the text itself.
  var fragmentOf = function (pasted) {
    var text = String(pasted).trim();
    var hash = text.indexOf('#');
    if (hash >= 0) return text.slice(hash + 1);
    return /^[a-z][a-z0-9+.-]*:/i.test(text) ? '' : text;
  };

  // Open a moment: the page opens the pasted moment as it opens a link's,
  // in place, and the address follows it.
  document.getElementById('open-moment').addEventListener('submit', function (event) {
    event.preventDefault();
    Module.openMoment(fragmentOf(document.getElementById('moment-text').value));
  });

  return { copy: copy };
})();
