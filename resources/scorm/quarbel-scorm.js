// The textbook in a SCORM 1.2 platform. scorm.html shows the textbook in a frame and this
// script reports to the platform: the student's status ("incomplete" until every page of the
// textbook has been opened, then "completed"), the page last opened (so the next visit
// starts there) and the pages opened so far. Without a platform the textbook is shown as it
// is and nothing is reported.
(function () {
  'use strict';

  var course = window.QUARBEL_SCORM || { start: 'index.html', frame: null, pages: [] };
  var api = null;
  var finished = false;
  var status = '';
  var opened = [];

  // The platform's API object: in this window or one of its parents, else in the window
  // that opened this one or one of its parents. A window of another origin is passed over.
  function apiIn(win) {
    for (var steps = 0; win && steps < 16; steps++) {
      try {
        if (win.API) return win.API;
      } catch (e) {
        // another origin
      }
      var parent;
      try {
        parent = win.parent;
      } catch (e) {
        return null;
      }
      if (!parent || parent === win) return null;
      win = parent;
    }
    return null;
  }

  function findApi() {
    var found = apiIn(window);
    if (!found) {
      try {
        if (window.opener) found = apiIn(window.opener);
      } catch (e) {
        found = null;
      }
    }
    return found;
  }

  function get(name) {
    try {
      var value = api.LMSGetValue(name);
      return value === null || value === undefined ? '' : String(value);
    } catch (e) {
      return '';
    }
  }

  function set(name, value) {
    try {
      if (String(api.LMSSetValue(name, value)) === 'true') return true;
      if (window.console) {
        var code = api.LMSGetLastError();
        console.warn('SCORM: ' + name + ': ' + code + ' ' + api.LMSGetErrorString(code) +
                     ' ' + api.LMSGetDiagnostic(code));
      }
    } catch (e) {
      // the platform went away
    }
    return false;
  }

  function commit() {
    try {
      api.LMSCommit('');
    } catch (e) {
      // nothing to do: the next commit or the finish carries the data
    }
  }

  // The pages opened so far, kept in cmi.suspend_data as hexadecimal digits: bit i of the
  // whole number is page i + 1. 4096 characters hold 16384 pages.
  function readOpened(text) {
    var marks = [];
    for (var i = 0; i < course.pages.length; i++) marks.push(false);
    if (!/^[0-9a-f]*$/.test(text)) return marks;
    for (var digit = 0; digit < text.length; digit++) {
      var value = parseInt(text.charAt(digit), 16);
      for (var bit = 0; bit < 4; bit++) {
        var page = digit * 4 + bit;
        if (page < marks.length && (value & (1 << bit))) marks[page] = true;
      }
    }
    return marks;
  }

  function writeOpened() {
    var text = '';
    for (var digit = 0; digit * 4 < opened.length; digit++) {
      var value = 0;
      for (var bit = 0; bit < 4; bit++)
        if (opened[digit * 4 + bit]) value |= 1 << bit;
      text += value.toString(16);
    }
    return text;
  }

  function pageName(win) {
    try {
      var path = win.location.pathname;
      return decodeURIComponent(path.substring(path.lastIndexOf('/') + 1));
    } catch (e) {
      return '';
    }
  }

  function pageOpened(name) {
    var index = course.pages.indexOf(name);
    if (!api || finished || index < 0) return;
    opened[index] = true;
    set('cmi.core.lesson_location', name);
    set('cmi.suspend_data', writeOpened());
    if (status !== 'completed' && opened.indexOf(false) < 0) {
      status = 'completed';
      set('cmi.core.lesson_status', status);
    }
    commit();
  }

  function finish() {
    if (!api || finished) return;
    if (status !== 'completed') set('cmi.core.exit', 'suspend');
    commit();
    finished = true;
    try {
      api.LMSFinish('');
    } catch (e) {
      // the platform went away first
    }
  }

  function start() {
    var frame = document.getElementById('textbook');
    var resume = '';
    api = findApi();
    if (api) {
      var ready = false;
      try {
        ready = String(api.LMSInitialize('')) === 'true';
      } catch (e) {
        ready = false;
      }
      if (!ready) {
        api = null;
      } else {
        status = get('cmi.core.lesson_status');
        if (status === '' || status === 'not attempted') {
          status = 'incomplete';
          set('cmi.core.lesson_status', status);
        }
        opened = readOpened(get('cmi.suspend_data'));
        var location = get('cmi.core.lesson_location');
        if (course.pages.indexOf(location) >= 0) resume = location;
        commit();
      }
    }
    if (!api) opened = readOpened('');

    // The classic look shows its pages in a frame of its own frameset; the modern look's
    // pages are whole documents in our frame.
    frame.addEventListener('load', function () {
      var inner = null;
      if (course.frame) {
        try {
          inner = frame.contentDocument.getElementsByName(course.frame)[0] || null;
        } catch (e) {
          inner = null;
        }
      }
      if (inner) {
        inner.addEventListener('load', function () {
          pageOpened(pageName(inner.contentWindow));
        });
        if (resume) {
          inner.contentWindow.location.replace(resume);
          resume = '';
        } else {
          pageOpened(pageName(inner.contentWindow));
        }
      } else {
        pageOpened(pageName(frame.contentWindow));
      }
    });
    frame.src = resume && !course.frame ? resume : course.start;
    if (!course.frame) resume = '';
  }

  window.addEventListener('pagehide', finish);
  window.addEventListener('beforeunload', finish);
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', start);
  else start();
})();
