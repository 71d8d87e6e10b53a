/* quarbel.js - the browser side of a modern ("Suchasnyi") Quarbel Vorizareda textbook.
 *
 * Every page of the textbook loads assets/menu.js (window.QUARBEL_MENU) and then this file.
 * Here we:
 *   - draw the table of contents from QUARBEL_MENU into nav#menu and mark the current page;
 *   - run that menu as a drawer on narrow screens and as a sidebar on wide ones;
 *   - let wide tables of the page scroll inside their own box;
 *   - search the textbook with Lunr: assets/lunr.js and assets/search.js are loaded the first
 *     time the search box is used, and the index is built once per page load, in slices, so
 *     that typing never waits long;
 *   - mark the searched words when a page is opened from a search result (page7.html?q=...);
 *   - give the keys: Left/Right turn the page, "/" goes to the search box, Esc closes.
 *
 * The file is pure ASCII because the pages may be windows-1251 or koi8-r: the Ukrainian
 * texts are written with \u escapes, with their meaning in a comment beside them.
 * Plain script, no modules, no build step; it has to run in Qt WebEngine 6.4 (Chromium 102).
 */
(function () {
  'use strict';

  // Timings show in the browser's performance panel: quarbel-start-up, quarbel-load (Lunr and
  // the search data), quarbel-index (building the index) and quarbel-query (each search).
  var startedAt = performance.now();

  var TEXT = {
    nothingFound: '\u041d\u0456\u0447\u043e\u0433\u043e \u043d\u0435 \u0437\u043d\u0430\u0439\u0434\u0435\u043d\u043e', // Nothing found
    preparing: '\u0413\u043e\u0442\u0443\u044e \u043f\u043e\u0448\u0443\u043a\u2026', // Preparing the search...
    unavailable: '\u041f\u043e\u0448\u0443\u043a \u043d\u0435\u0434\u043e\u0441\u0442\u0443\u043f\u043d\u0438\u0439', // Search is unavailable
    found: '\u0417\u043d\u0430\u0439\u0434\u0435\u043d\u043e \u0441\u0442\u043e\u0440\u0456\u043d\u043e\u043a: ', // Pages found:
    shownFirst: '\u043f\u043e\u043a\u0430\u0437\u0430\u043d\u043e \u043f\u0435\u0440\u0448\u0456 ', // the first ... are shown
    results: '\u0420\u0435\u0437\u0443\u043b\u044c\u0442\u0430\u0442\u0438 \u043f\u043e\u0448\u0443\u043a\u0443' // Search results
  };

  var MAX_RESULTS = 50;
  // A typed word of this many letters or more is searched as a word beginning; a shorter one
  // as a whole word. One letter would begin thousands of words; two letters still begin
  // hundreds, which takes Lunr too long on a big textbook, so there it takes three.
  var SHORT_PREFIX = 2;
  var LONG_PREFIX = 3;
  var BIG_TEXTBOOK = 1000;        // pages
  var SNIPPET_LENGTH = 160;
  var SEARCH_DELAY = 120;          // ms of quiet typing before a search runs
  var BUILD_SLICE = 10;            // ms of index building between two chances to type
  var MENU_SETTING = 'quarbel.menuHidden';

  var doc = document;
  var body = doc.body;
  var root = doc.documentElement;
  var menuNav = doc.getElementById('menu');
  var menuButton = doc.getElementById('menu-button');
  var content = doc.getElementById('content');
  var searchForm = doc.getElementById('search-form');
  var searchInput = doc.getElementById('search');
  var resultsBox = doc.getElementById('search-results');
  var pager = doc.querySelector('.pager');
  var topbar = doc.querySelector('.topbar');
  var scriptUrl = doc.currentScript ? doc.currentScript.src : '';
  var wideScreen = window.matchMedia('(min-width: 900px)');

  /* ---------- small helpers ---------- */

  function element(tag, className, text) {
    var node = doc.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined) node.textContent = text;
    return node;
  }

  // Lunr and the search data lie beside this script in assets/.
  function assetUrl(name) {
    return scriptUrl ? new URL(name, scriptUrl).href : 'assets/' + name;
  }

  // Pages opened from file:// may refuse storage access: a setting is then simply not kept.
  function readSetting(key) {
    try { return window.localStorage.getItem(key); } catch (e) { return null; }
  }
  function writeSetting(key, value) {
    try { window.localStorage.setItem(key, value); } catch (e) { /* not kept */ }
  }

  function setInert(node, inert) {
    if (!node) return;
    node.inert = inert;                        // Chromium 102 and later
    if (inert) node.setAttribute('inert', ''); else node.removeAttribute('inert');
  }

  // Scrolls a box (not the window) so that one of its descendants is in sight.
  function revealInside(box, child, middle) {
    var boxRect = box.getBoundingClientRect();
    var rect = child.getBoundingClientRect();
    if (middle) {
      box.scrollTop += rect.top - boxRect.top - box.clientHeight / 3;
    } else if (rect.top < boxRect.top) {
      box.scrollTop -= boxRect.top - rect.top;
    } else if (rect.bottom > boxRect.bottom) {
      box.scrollTop += rect.bottom - boxRect.bottom;
    }
  }

  /* ---------- words ----------
   * The same rules make the index, read the query and mark the words on a page: a word is a
   * run of letters, digits, combining marks and apostrophes; case does not count, and every
   * apostrophe (' \u2019 \u02BC \u2018 `) counts as ', so "p'iat'" is found however it was typed.
   */

  var WORD_SEPARATOR = /[^\p{L}\p{N}\p{M}'\u2019\u02BC\u2018`]+/u;
  var WORD_CHARS = "\\p{L}\\p{N}\\p{M}'\\u2019\\u02BC\\u2018`";
  var APOSTROPHES = /[\u2019\u02BC\u2018`]/g;
  var NEEDS_MORE = /['\u2019\u02BC\u2018`\p{M}]/u;
  var MARKS = /\p{M}/u;

  function normalizeWord(word) {
    var s = word.toLowerCase();
    if (!NEEDS_MORE.test(s)) return s;
    // Stress marks and the like go; NFC first keeps letters such as "i" with a breve whole.
    if (MARKS.test(s)) s = s.normalize('NFC').replace(/\p{M}+/gu, '');
    return s.replace(APOSTROPHES, "'").replace(/^'+|'+$/g, '');
  }

  // The distinct words of a text, normalized, in their first order.
  function splitWords(text) {
    var parts = String(text || '').split(WORD_SEPARATOR);
    var words = [];
    for (var i = 0; i < parts.length; i++) {
      var word = parts[i] && normalizeWord(parts[i]);
      if (word && words.indexOf(word) < 0) words.push(word);
    }
    return words;
  }

  // A pattern finding, in ordinary text, the words searched for: a word at least prefixFrom
  // letters long matches every word that begins with it, and the whole of that word is taken
  // ("mekhanik" takes all of "mekhanika"); a shorter word matches only itself.
  function wordPattern(words, prefixFrom) {
    var prefixes = [], exact = [];
    words.forEach(function (word) {
      var letters = Array.from(word);
      var source = letters.map(function (ch) {
        if (ch === "'") return "['\\u2019\\u02BC\\u2018`]";
        return ch.replace(/[\\^$.*+?()[\]{}|\/-]/g, '\\$&');
      }).join('\\p{M}*');
      (letters.length >= prefixFrom ? prefixes : exact).push(source);
    });
    var choices = [];
    if (prefixes.length) choices.push('(?:' + prefixes.join('|') + ')[' + WORD_CHARS + ']*');
    if (exact.length) choices.push('(?:' + exact.join('|') + ')(?![' + WORD_CHARS + '])');
    return new RegExp('(?<![\\p{L}\\p{N}\\p{M}])(?<![\\p{L}\\p{N}\\p{M}][' + "'\\u2019\\u02BC\\u2018`" + '])' +
                      '(?:' + choices.join('|') + ')', 'giu');
  }

  // Appends text to a node, with every match of the pattern wrapped in <mark>.
  function appendMarked(parent, text, pattern, markClass) {
    var last = 0;
    var match;
    pattern.lastIndex = 0;
    while ((match = pattern.exec(text))) {
      if (match.index > last) parent.appendChild(doc.createTextNode(text.slice(last, match.index)));
      parent.appendChild(element('mark', markClass, match[0]));
      last = match.index + match[0].length;
    }
    if (last < text.length) parent.appendChild(doc.createTextNode(text.slice(last)));
  }

  /* ---------- the menu ---------- */

  var menuLists = 0;

  function buildList(entries) {
    var list = element('ul', 'menu-list');
    entries.forEach(function (entry) { if (entry) list.appendChild(buildItem(entry)); });
    return list;
  }

  // A leaf is a link; a branch has a button that opens and closes it, beside its link if it
  // has a page of its own, or as its whole line if it is only a heading.
  function buildItem(entry) {
    var item = element('li', 'menu-item');
    var title = String(entry.t == null ? '' : entry.t);
    var link = null;
    if (entry.h) {
      link = element('a', 'menu-link', title);
      link.setAttribute('href', entry.h);
    }
    if (!Array.isArray(entry.c) || !entry.c.length) {
      item.appendChild(link || element('span', 'menu-label', title));
      return item;
    }
    var sublist = buildList(entry.c);
    sublist.id = 'quarbel-menu-' + (++menuLists);
    sublist.hidden = true;
    var toggle = element('button', 'menu-toggle');
    toggle.type = 'button';
    toggle.setAttribute('aria-expanded', 'false');
    toggle.setAttribute('aria-controls', sublist.id);
    item.classList.add('menu-branch');
    if (link) {
      toggle.appendChild(element('span', 'visually-hidden', title));
      var row = element('div', 'menu-row');
      row.appendChild(toggle);
      row.appendChild(link);
      item.appendChild(row);
    } else {
      toggle.classList.add('menu-heading');
      toggle.appendChild(doc.createTextNode(title));
      item.appendChild(toggle);
    }
    item.appendChild(sublist);
    return item;
  }

  function setBranchOpen(toggle, open) {
    toggle.setAttribute('aria-expanded', open ? 'true' : 'false');
    var sublist = doc.getElementById(toggle.getAttribute('aria-controls'));
    if (sublist) sublist.hidden = !open;
  }

  function toggleOfList(list) {
    var item = list.parentNode;
    return item && item.querySelector(':scope > .menu-toggle, :scope > .menu-row > .menu-toggle');
  }

  function currentPage() {
    var page = body.getAttribute('data-page');
    if (page) return page;
    var path = location.pathname;
    return decodeURIComponent(path.slice(path.lastIndexOf('/') + 1)) || 'index.html';
  }

  // Marks the entry of this page (or of the anchor in the address, when it has an entry of
  // its own) with aria-current, and opens the branches that hold it and its own branch.
  function markCurrentEntry() {
    if (!menuNav) return null;
    var page = currentPage();
    var hash = location.hash ? decodeURIComponent(location.hash) : '';
    var links = menuNav.querySelectorAll('a.menu-link');
    var anchorLink = null, pageLink = null, otherLink = null;
    for (var i = 0; i < links.length; i++) {
      var href = links[i].getAttribute('href');
      if (hash && !anchorLink && href === page + hash) anchorLink = links[i];
      if (!pageLink && href === page) pageLink = links[i];
      if (!otherLink && href.split('#')[0] === page) otherLink = links[i];
      links[i].removeAttribute('aria-current');
      links[i].classList.remove('menu-link-page');
    }
    var current = anchorLink || pageLink || otherLink;
    if (!current) return null;
    current.setAttribute('aria-current', 'page');
    if (anchorLink && pageLink) pageLink.classList.add('menu-link-page');

    var item = current.closest('.menu-item');
    var own = item && item.querySelector(':scope > .menu-row > .menu-toggle');
    if (own) setBranchOpen(own, true);
    for (var list = item && item.parentNode; list && list !== menuNav; list = list.parentNode) {
      if (list.classList && list.classList.contains('menu-list') && list.hidden) {
        var toggle = toggleOfList(list);
        if (toggle) setBranchOpen(toggle, true);
      }
    }
    return current;
  }

  function buildMenu() {
    var data = window.QUARBEL_MENU;
    if (!menuNav || !data || !Array.isArray(data.entries)) return;
    menuNav.textContent = '';
    menuNav.appendChild(buildList(data.entries));
    var current = markCurrentEntry();
    if (current && isMenuVisible()) revealInside(menuNav, current, true);

    menuNav.addEventListener('click', function (event) {
      var toggle = event.target.closest('.menu-toggle');
      if (toggle) {
        setBranchOpen(toggle, toggle.getAttribute('aria-expanded') !== 'true');
      } else if (event.target.closest('a') && drawerOpen) {
        closeDrawer(false);                  // the link itself moves on; focus is not ours
      }
    });
    window.addEventListener('hashchange', markCurrentEntry);
  }

  /* ---------- drawer (narrow) and sidebar (wide) ---------- */

  var drawerOpen = false;
  var sidebarHidden = readSetting(MENU_SETTING) === '1';
  var backdrop = null;

  function isMenuVisible() {
    return wideScreen.matches ? !sidebarHidden : drawerOpen;
  }

  function syncMenu() {
    if (!menuNav) return;
    var wide = wideScreen.matches;
    if (wide) drawerOpen = false;
    var visible = isMenuVisible();
    body.classList.toggle('menu-open', drawerOpen);
    body.classList.toggle('menu-hidden', wide && sidebarHidden);
    if (menuButton) menuButton.setAttribute('aria-expanded', visible ? 'true' : 'false');
    setInert(menuNav, !visible);
    if (visible) menuNav.removeAttribute('aria-hidden'); else menuNav.setAttribute('aria-hidden', 'true');
    // While the drawer lies over the page, the page behind it is out of reach.
    setInert(content, drawerOpen);
    setInert(pager, drawerOpen);
    if (backdrop) backdrop.hidden = !drawerOpen;
  }

  function openDrawer() {
    closeResults();
    drawerOpen = true;
    syncMenu();
    var target = menuNav.querySelector('[aria-current="page"]') || menuNav.querySelector('a, button');
    if (target) {
      revealInside(menuNav, target, true);
      target.focus({ preventScroll: true });
    }
  }

  // giveFocusBack: focus returns to the menu button (Esc, the button, a click beside the
  // drawer); a chosen link keeps the focus where the browser puts it.
  function closeDrawer(giveFocusBack) {
    if (!drawerOpen) return;
    var focusWasInside = menuNav.contains(doc.activeElement) || doc.activeElement === body;
    drawerOpen = false;
    syncMenu();
    if (giveFocusBack && focusWasInside && menuButton) menuButton.focus();
  }

  function setupMenuButton() {
    if (!menuButton || !menuNav) return;
    backdrop = element('div', 'menu-backdrop');
    backdrop.hidden = true;
    backdrop.addEventListener('click', function () { closeDrawer(true); });
    body.appendChild(backdrop);

    menuButton.addEventListener('click', function () {
      if (wideScreen.matches) {
        sidebarHidden = !sidebarHidden;
        writeSetting(MENU_SETTING, sidebarHidden ? '1' : '0');
        if (sidebarHidden && menuNav.contains(doc.activeElement)) menuButton.focus();
        syncMenu();
      } else if (drawerOpen) {
        closeDrawer(true);
      } else {
        openDrawer();
      }
    });
    // A click anywhere outside the open drawer closes it.
    doc.addEventListener('click', function (event) {
      if (drawerOpen && !menuNav.contains(event.target) && !menuButton.contains(event.target)) {
        closeDrawer(true);
      }
    });
    var onChange = function () { syncMenu(); };
    if (wideScreen.addEventListener) wideScreen.addEventListener('change', onChange);
    else wideScreen.addListener(onChange);
    syncMenu();
  }

  /* ---------- the page itself ---------- */

  // Every outermost table scrolls sideways inside its own box; a box that really scrolls can
  // take the focus, so that it can be scrolled from the keyboard too.
  var tableBoxes = [];

  function wrapTables() {
    if (!content) return;
    var tables = content.querySelectorAll('table');
    for (var i = 0; i < tables.length; i++) {
      var table = tables[i];
      if (table.parentNode.closest('table, .table-scroll')) continue;
      var box = element('div', 'table-scroll');
      table.parentNode.insertBefore(box, table);
      box.appendChild(table);
      tableBoxes.push(box);
    }
    updateTableBoxes();
  }

  function updateTableBoxes() {
    tableBoxes.forEach(function (box) {
      if (box.scrollWidth > box.clientWidth + 1) box.tabIndex = 0;
      else box.removeAttribute('tabindex');
    });
  }

  // The drawer, the search results and the anchors sit below the top bar, whatever its height.
  function followTopbarHeight() {
    if (!topbar) return;
    var update = function () {
      root.style.setProperty('--quarbel-topbar-height', topbar.offsetHeight + 'px');
    };
    update();
    if (window.ResizeObserver) new ResizeObserver(update).observe(topbar);
  }

  // page7.html?q=words marks those words in the text and brings the first into sight.
  function markSearchedWords() {
    var query = null;
    try { query = new URLSearchParams(location.search).get('q'); } catch (e) { return; }
    var words = splitWords(query);
    if (!content || !words.length) return;
    if (searchInput) searchInput.value = words.join(' ');
    var pattern = wordPattern(words, SHORT_PREFIX);
    var walker = doc.createTreeWalker(content, NodeFilter.SHOW_TEXT, {
      acceptNode: function (node) {
        return node.parentNode.closest('script, style, noscript, textarea, select, mark.search-hit') ?
          NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT;
      }
    });
    var nodes = [];
    for (var node = walker.nextNode(); node; node = walker.nextNode()) {
      pattern.lastIndex = 0;
      if (pattern.test(node.data)) nodes.push(node);
    }
    nodes.forEach(function (textNode) {
      var fragment = doc.createDocumentFragment();
      appendMarked(fragment, textNode.data, pattern, 'search-hit');
      textNode.parentNode.replaceChild(fragment, textNode);
    });
    var first = content.querySelector('mark.search-hit');
    if (!first || location.hash) return;
    first.scrollIntoView({ block: 'center' });
    // Pictures that arrive later may push it away again: look once more when all is loaded.
    var scrolledTo = window.scrollY;
    window.addEventListener('load', function () {
      if (window.scrollY === scrolledTo) first.scrollIntoView({ block: 'center' });
    });
  }

  /* ---------- search ---------- */

  var searchIndex = null;       // the Lunr index, once built
  var searchDocs = null;        // page id -> its entry of QUARBEL_SEARCH
  var indexPromise = null;
  var prefixFrom = SHORT_PREFIX;
  var searchTimer = 0;
  var searchPending = false;    // typed words not searched yet
  var waitingForIndex = false;
  var statusLine = null;
  var resultList = null;
  var activeResult = -1;

  function loadScript(url) {
    return new Promise(function (resolve, reject) {
      var script = doc.createElement('script');
      // The data files are UTF-8 after a byte order mark, which wins over the page's own
      // encoding (windows-1251, koi8-r); the charset is only a fallback for a file without it.
      script.charset = 'utf-8';
      script.src = url;
      script.onload = resolve;
      script.onerror = function () { reject(new Error('Cannot load ' + url)); };
      doc.head.appendChild(script);
    });
  }

  // Lunr's own tokenizer splits on spaces and hyphens only; ours splits on anything that
  // is not part of a word. The tokens share one metadata object: no metadata is indexed.
  function tokenizer(value, metadata) {
    if (value == null) return [];
    var parts = String(value).split(WORD_SEPARATOR);
    var tokens = [];
    for (var i = 0; i < parts.length; i++) {
      if (parts[i]) tokens.push(new lunr.Token(parts[i], metadata || {}));
    }
    return tokens;
  }

  // The only step of both pipelines: no English trimmer, stop words or stemmer, which would
  // spoil Ukrainian words. Query terms arrive with Lunr's trailing wildcard "*", kept here.
  function wordStep(token) {
    var term = token.toString();
    var wildcard = /\*+$/.exec(term);
    if (wildcard) term = term.slice(0, wildcard.index);
    term = normalizeWord(term);
    if (!term) return undefined;
    if (wildcard) term += '*';
    return token.update(function () { return term; });
  }

  // Calls step() again and again, about BUILD_SLICE ms at a time, with the browser free to
  // handle typing between slices, until step() returns true.
  function runInSlices(step) {
    return new Promise(function (resolve, reject) {
      var channel = new MessageChannel();
      channel.port1.onmessage = function () {
        var stop = performance.now() + BUILD_SLICE;
        try {
          while (!step()) {
            if (performance.now() >= stop) {
              channel.port2.postMessage(0);
              return;
            }
          }
        } catch (error) {
          channel.port1.close();
          reject(error);
          return;
        }
        channel.port1.close();
        resolve();
      };
      channel.port2.postMessage(0);
    });
  }

  var INDEX_FIELDS = ['title', 'text'];

  function newBuilder() {
    lunr.Pipeline.registerFunction(wordStep, 'quarbelWord');
    var builder = new lunr.Builder();
    // A bare builder starts with empty pipelines; make sure of it before adding ours.
    [builder.pipeline, builder.searchPipeline].forEach(function (pipeline) {
      pipeline.remove(lunr.stemmer);
      pipeline.remove(lunr.stopWordFilter);
      pipeline.remove(lunr.trimmer);
      pipeline.add(wordStep);
    });
    builder.tokenizer = tokenizer;
    builder.ref('id');
    builder.field(INDEX_FIELDS[0], { boost: 10, extractor: function (page) { return page.t; } });
    builder.field(INDEX_FIELDS[1], { extractor: function (page) { return page.x; } });
    return builder;
  }

  // The index is built in slices. Lunr's Builder.build() does its last three steps (average
  // field lengths, a weighted vector for every page's field, the automaton of all words) at
  // one go, a second or more for a few thousand pages; they run here in parts instead, with
  // Lunr's own methods, and give the same Index.
  function buildIndex(pages) {
    performance.mark('quarbel-index-start');
    var builder = newBuilder();
    var next = 0;
    var frequencies, fieldRefs, partSize, vectors = {}, done = 0;
    var words, tokenSet = new lunr.TokenSet.Builder(), inserted = 0;

    return runInSlices(function () {
      var page = pages[next++];
      if (page && page.id != null) builder.add(page);
      return next >= pages.length;
    }).then(function () {
      builder.calculateAverageFieldLengths();
      frequencies = builder.fieldTermFrequencies;
      fieldRefs = Object.keys(frequencies);
      // Every part weighs its own words again, so there are only a few, larger parts.
      partSize = Math.max(200, Math.ceil(fieldRefs.length / 16));
      return runInSlices(function () {
        var part = {};
        fieldRefs.slice(done, done + partSize).forEach(function (ref) { part[ref] = frequencies[ref]; });
        done += partSize;
        builder.fieldTermFrequencies = part;
        builder.createFieldVectors();
        Object.assign(vectors, builder.fieldVectors);
        return done >= fieldRefs.length;
      });
    }).then(function () {
      builder.fieldTermFrequencies = frequencies;
      builder.fieldVectors = vectors;
      words = Object.keys(builder.invertedIndex).sort();
      return runInSlices(function () {
        if (inserted < words.length) tokenSet.insert(words[inserted++]);
        return inserted >= words.length;
      });
    }).then(function () {
      tokenSet.finish();
      builder.tokenSet = tokenSet.root;
      var index = new lunr.Index({
        invertedIndex: builder.invertedIndex,
        fieldVectors: vectors,
        tokenSet: tokenSet.root,
        fields: INDEX_FIELDS,
        pipeline: builder.searchPipeline
      });
      performance.mark('quarbel-index-end');
      performance.measure('quarbel-index', 'quarbel-index-start', 'quarbel-index-end');
      return index;
    });
  }

  function prepareSearch() {
    if (!indexPromise) {
      performance.mark('quarbel-load-start');
      indexPromise = Promise.all([
        window.lunr ? null : loadScript(assetUrl('lunr.js')),
        window.QUARBEL_SEARCH ? null : loadScript(assetUrl('search.js'))
      ]).then(function () {
        performance.mark('quarbel-load-end');
        performance.measure('quarbel-load', 'quarbel-load-start', 'quarbel-load-end');
        var pages = Array.isArray(window.QUARBEL_SEARCH) ? window.QUARBEL_SEARCH : [];
        searchDocs = Object.create(null);
        pages.forEach(function (page) { if (page && page.id) searchDocs[page.id] = page; });
        prefixFrom = pages.length > BIG_TEXTBOOK ? LONG_PREFIX : SHORT_PREFIX;
        return buildIndex(pages);
      }).then(function (index) {
        searchIndex = index;
        return index;
      });
      indexPromise.catch(function () { /* shown by the search that waits for it */ });
    }
    return indexPromise;
  }

  function resultsOpen() {
    return !!resultsBox && !resultsBox.hidden;
  }

  function showResultsBox(open) {
    if (!resultsBox) return;
    resultsBox.hidden = !open;
    searchInput.setAttribute('aria-expanded', open ? 'true' : 'false');
  }

  function closeResults() {
    if (!resultsOpen()) return;
    showResultsBox(false);
    setActiveResult(-1);
  }

  function showStatus(text) {
    statusLine.textContent = text;
    resultList.textContent = '';
    activeResult = -1;
    searchInput.removeAttribute('aria-activedescendant');
    showResultsBox(true);
  }

  function scheduleSearch() {
    clearTimeout(searchTimer);
    searchPending = true;
    searchTimer = setTimeout(runSearch, SEARCH_DELAY);
  }

  // Every typed word is required, as a word beginning (see SHORT_PREFIX); a page where it
  // is a whole word ranks higher.
  function runSearch() {
    clearTimeout(searchTimer);
    searchPending = false;
    var words = splitWords(searchInput.value);
    if (!words.length) {
      closeResults();
      return;
    }
    if (!searchIndex) {
      showStatus(TEXT.preparing);
      if (waitingForIndex) return;
      // Once the index is ready, search for whatever the box holds by then.
      waitingForIndex = true;
      prepareSearch().then(function () {
        waitingForIndex = false;
        if (doc.activeElement === searchInput) runSearch();
      }, function () {
        showStatus(TEXT.unavailable);
      });
      return;
    }
    var started = performance.now();
    var found = searchIndex.query(function (query) {
      words.forEach(function (word) {
        if (Array.from(word).length >= prefixFrom) {
          query.term(word, {
            wildcard: lunr.Query.wildcard.TRAILING,
            presence: lunr.Query.presence.REQUIRED
          });
          query.term(word, { boost: 10 });
        } else {
          query.term(word, { presence: lunr.Query.presence.REQUIRED, boost: 10 });
        }
      });
    });
    showResults(found, words);
    performance.measure('quarbel-query', { start: started, end: performance.now() });
  }

  function resultHref(id, words) {
    var hashAt = id.indexOf('#');
    var page = hashAt < 0 ? id : id.slice(0, hashAt);
    var hash = hashAt < 0 ? '' : id.slice(hashAt);
    return page + '?q=' + encodeURIComponent(words.join(' ')) + hash;
  }

  // About SNIPPET_LENGTH characters of the page around its first matching word.
  function snippetOf(text, pattern) {
    text = String(text || '');
    pattern.lastIndex = 0;
    var match = pattern.exec(text);
    var start = match ? Math.max(0, match.index - Math.round(SNIPPET_LENGTH / 3)) : 0;
    var end = Math.min(text.length, start + SNIPPET_LENGTH);
    if (start > 0) {
      var space = text.indexOf(' ', start);
      if (space >= 0 && space < (match ? match.index : end)) start = space + 1;
    }
    if (end < text.length) {
      var lastSpace = text.lastIndexOf(' ', end);
      if (lastSpace > (match ? match.index + match[0].length : start)) end = lastSpace;
    }
    return (start > 0 ? '\u2026' : '') + text.slice(start, end).replace(/\s+/g, ' ').trim() +
           (end < text.length ? '\u2026' : '');
  }

  function showResults(found, words) {
    if (!found.length) {
      showStatus(TEXT.nothingFound);
      return;
    }
    var pattern = wordPattern(words, prefixFrom);
    var shown = found.slice(0, MAX_RESULTS);
    statusLine.textContent = TEXT.found + found.length +
      (found.length > shown.length ? ', ' + TEXT.shownFirst + shown.length : '');
    resultList.textContent = '';
    shown.forEach(function (result, i) {
      var page = searchDocs[result.ref] || { t: result.ref, x: '' };
      var item = element('li');
      item.setAttribute('role', 'none');
      var link = element('a', 'search-result');
      link.id = 'quarbel-result-' + i;
      link.setAttribute('role', 'option');
      link.setAttribute('aria-selected', 'false');
      link.tabIndex = -1;
      link.setAttribute('href', resultHref(result.ref, words));
      var title = element('span', 'search-result-title');
      appendMarked(title, String(page.t || result.ref), pattern, '');
      var snippet = element('span', 'search-result-snippet');
      appendMarked(snippet, snippetOf(page.x, pattern), pattern, '');
      link.appendChild(title);
      link.appendChild(snippet);
      item.appendChild(link);
      resultList.appendChild(item);
    });
    setActiveResult(-1);
    showResultsBox(true);
  }

  function resultLinks() {
    return resultList ? resultList.querySelectorAll('.search-result') : [];
  }

  function setActiveResult(index) {
    var links = resultLinks();
    activeResult = Math.max(-1, Math.min(index, links.length - 1));
    for (var i = 0; i < links.length; i++) {
      links[i].setAttribute('aria-selected', i === activeResult ? 'true' : 'false');
    }
    if (activeResult >= 0) {
      searchInput.setAttribute('aria-activedescendant', links[activeResult].id);
      revealInside(resultsBox, links[activeResult], false);
    } else {
      searchInput.removeAttribute('aria-activedescendant');
    }
  }

  function setupSearch() {
    if (!searchInput || !resultsBox) return;
    resultsBox.textContent = '';
    resultsBox.tabIndex = -1;     // a click on the list (its scroll bar too) keeps it open
    statusLine = element('p', 'search-status');
    statusLine.setAttribute('role', 'status');
    resultList = element('ul', 'search-list');
    resultList.id = 'quarbel-result-list';
    resultList.setAttribute('role', 'listbox');
    resultList.setAttribute('aria-label', TEXT.results);
    resultsBox.appendChild(statusLine);
    resultsBox.appendChild(resultList);
    searchInput.setAttribute('role', 'combobox');
    searchInput.setAttribute('aria-autocomplete', 'list');
    searchInput.setAttribute('aria-controls', resultList.id);
    searchInput.setAttribute('aria-expanded', 'false');

    searchInput.addEventListener('focus', function () {
      prepareSearch();
      if (searchInput.value.trim()) scheduleSearch();
    });
    searchInput.addEventListener('input', function () {
      prepareSearch();
      scheduleSearch();
    });
    searchInput.addEventListener('keydown', function (event) {
      var links = resultLinks();
      if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
        event.preventDefault();
        if (!resultsOpen()) { runSearch(); return; }
        setActiveResult(activeResult + (event.key === 'ArrowDown' ? 1 : -1));
      } else if (event.key === 'Enter') {
        event.preventDefault();
        if (searchPending) {
          runSearch();               // Enter before the pause: search for what is typed now
          links = resultLinks();
        }
        var chosen = links[activeResult >= 0 ? activeResult : 0];
        if (chosen && resultsOpen()) location.href = chosen.href;
      } else if (event.key === 'Escape' && resultsOpen()) {
        event.preventDefault();       // keeps the typed words; a second Esc clears them
        event.stopPropagation();
        closeResults();
      }
    });
    // Focus leaving both the search box and its results closes them (looked at once the
    // focus has landed).
    var closeIfFocusLeft = function () {
      setTimeout(function () {
        var active = doc.activeElement;
        if (active !== searchInput && !resultsBox.contains(active)) closeResults();
      }, 0);
    };
    searchInput.addEventListener('blur', closeIfFocusLeft);
    resultsBox.addEventListener('focusout', closeIfFocusLeft);
    doc.addEventListener('click', function (event) {
      if (resultsOpen() && !resultsBox.contains(event.target) && !searchForm.contains(event.target)) {
        closeResults();
      }
    });
  }

  /* ---------- keys ---------- */

  function isTypingPlace(node) {
    if (!node || node.nodeType !== 1) return false;
    return !!node.closest('input, textarea, select, [contenteditable=""], [contenteditable="true"]') ||
           /^(VIDEO|AUDIO)$/.test(node.tagName);
  }

  // True when the focused element, or a box around it, scrolls sideways: the arrows are its.
  function scrollsSideways(node) {
    for (; node && node !== body && node !== root; node = node.parentElement) {
      if (node.scrollWidth > node.clientWidth + 1) {
        var overflow = getComputedStyle(node).overflowX;
        if (overflow === 'auto' || overflow === 'scroll') return true;
      }
    }
    return false;
  }

  function setupKeys() {
    doc.addEventListener('keydown', function (event) {
      if (event.defaultPrevented) return;
      var key = event.key;
      if (key === 'Escape' || key === 'Esc') {
        if (drawerOpen) closeDrawer(true);
        else closeResults();
        return;
      }
      if (event.ctrlKey || event.altKey || event.metaKey || isTypingPlace(event.target)) return;
      // "/" on any keyboard layout: the key itself, or the key where "/" stands on a US one.
      if ((key === '/' || event.code === 'Slash') && searchInput) {
        event.preventDefault();
        closeDrawer(false);
        searchInput.focus();
        return;
      }
      if ((key === 'ArrowLeft' || key === 'ArrowRight') && !event.shiftKey) {
        if (scrollsSideways(doc.activeElement)) return;
        var target = body.getAttribute(key === 'ArrowLeft' ? 'data-prev' : 'data-next');
        if (target) {
          event.preventDefault();
          location.href = target;
        }
      }
    });
    // A page brought back by the Back button shows neither the drawer nor old results.
    window.addEventListener('pageshow', function (event) {
      if (!event.persisted) return;
      closeDrawer(false);
      closeResults();
    });
  }

  /* ---------- start ---------- */

  followTopbarHeight();
  buildMenu();
  setupMenuButton();
  wrapTables();
  setupSearch();
  setupKeys();
  markSearchedWords();
  window.addEventListener('resize', updateTableBoxes);
  window.addEventListener('load', updateTableBoxes);
  performance.measure('quarbel-start-up', { start: startedAt, end: performance.now() });
})();
