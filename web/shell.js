// The page around the game: letterboxing, the loading bar, the saves in the
// browser's storage, one tab at a time, full screen and the end page.
'use strict';

var stage = document.getElementById('stage');
var canvas = document.getElementById('canvas');
var loading = document.getElementById('loading');

// The canvas keeps the game's 1024 x 768 pixels; the page scales it once to the
// largest size that fits, in device pixels, so high-density screens get the
// sharpest picture the game's pixels allow.
function layout() {
  var ratio = window.devicePixelRatio || 1;
  var w = stage.clientWidth, h = stage.clientHeight;
  var scale = Math.min(w / 1024, h / 768);
  var cssW = Math.floor(1024 * scale * ratio) / ratio;
  var cssH = Math.floor(768 * scale * ratio) / ratio;
  canvas.style.width = cssW + 'px';
  canvas.style.height = cssH + 'px';
}
window.addEventListener('resize', layout);
document.addEventListener('fullscreenchange', layout);
layout();

function showStatus(text, done, total) {
  document.getElementById('status').textContent = text;
  if (total > 0) document.getElementById('fill').style.width = (100 * done / total).toFixed(1) + '%';
}

// A second tab must not overwrite the first one's saves: it says so on its
// canvas and starts nothing.
function showAlreadyOpen() {
  loading.hidden = true;
  window.varnokaAlreadyOpen = true;
  var g = canvas.getContext('2d');
  var sky = g.createLinearGradient(0, 0, 0, 768);
  sky.addColorStop(0, '#2f5a3a');
  sky.addColorStop(1, '#0d1a12');
  g.fillStyle = sky;
  g.fillRect(0, 0, 1024, 768);
  g.textAlign = 'center';
  g.fillStyle = '#f3e6a8';
  g.font = 'bold 56px sans-serif';
  g.fillText('Varnoka', 512, 300);
  g.fillStyle = '#e8f0d8';
  g.font = '28px sans-serif';
  g.fillText('Varnoka is already open in another tab.', 512, 390);
  g.fillText('Play on there, or close it and reload this page.', 512, 434);
}

var releaseSaves = null;
var storing = false, storeAgain = false, afterStore = [];

// Copies the save folder into the browser's storage. One copy runs at a time;
// a save that comes in meanwhile starts another when it ends.
function storeSaves() {
  if (storing) { storeAgain = true; return; }
  storing = true;
  FS.syncfs(false, function (err) {
    if (err) console.error('varnoka: saves not stored:', err);
    storing = false;
    if (storeAgain) { storeAgain = false; storeSaves(); return; }
    var waiting = afterStore; afterStore = [];
    waiting.forEach(function (f) { f(); });
  });
}

// Whether every save so far is in the browser's storage.
window.varnokaSavesStored = function () { return !storing; };

function whenStored(f) {
  if (storing) afterStore.push(f); else f();
}

var wantFullScreen = false;
function applyFullScreen() {
  if (wantFullScreen && !document.fullscreenElement && stage.requestFullscreen) {
    stage.requestFullscreen().catch(function () { /* needs a click or key: tried again then */ });
  } else if (!wantFullScreen && document.fullscreenElement) {
    document.exitFullscreen().catch(function () {});
  }
}
// A browser enters full screen only right after a click or key press.
['pointerdown', 'keydown'].forEach(function (type) {
  window.addEventListener(type, function () {
    if (wantFullScreen && !document.fullscreenElement) applyFullScreen();
  }, true);
});
// Leaving full screen with the browser's own key is the player's choice too.
document.addEventListener('fullscreenchange', function () {
  if (!document.fullscreenElement) wantFullScreen = false;
});

// The languages as the game numbers them (the fifth line of its settings).
// Each but English has its pictures in a download of its own,
// varnoka-<code>.data, fetched for the language in use only.
var kLanguages = ['en', 'de', 'fr', 'es', 'it', 'nl', 'pt', 'sv'];
var kSettings = '/saves/tellgrave/Varnoka/settings.txt';
// code -> 'fetching' (its script), 'unpacking' (its data), 'ready' or 'failed'.
var languageData = { en: 'ready' };
var languageScripts = {};

// Starts the download of a language's pictures the first time it is asked
// for; true once they are in the game's files.
function languageReady(code) {
  if (!(code in languageData)) {
    languageData[code] = 'fetching';
    languageScripts[code] = loadScript('varnoka-' + code + '-data.js').then(function () {
      languageData[code] = 'unpacking';
    }, function (e) {
      languageData[code] = 'failed';
      console.warn('varnoka: no pictures for ' + code + ' (' + e.message + ')');
    });
  }
  return languageData[code] === 'ready';
}

// The language the game will start in: the saved one, or on a first visit the
// browser's own when the game speaks it.
function startLanguage() {
  try {
    var lines = new TextDecoder().decode(FS.readFile(kSettings)).split('\n');
    var saved = kLanguages[parseInt(lines[4], 10)];
    if (saved) return saved;
  } catch (e) { /* no settings yet */ }
  var name = (navigator.languages && navigator.languages[0]) || navigator.language || '';
  var code = name.split(/[-_.@]/)[0].toLowerCase();
  return kLanguages.indexOf(code) >= 0 ? code : 'en';
}

// The game's picture, width x height pixels (bytes R, G, B, A) at `at` in its
// memory: the rectangles that changed (count of them at `rects`, each x0, y0,
// x1, y1 as 32-bit numbers) are put straight from there into the canvas. The
// view over the memory is made again when the memory grew (the old one is
// gone then) or the pixels moved, and all of it is put then. No pixels (at 0):
// the game closed its picture.
var picture = null;
function showPicture(at, width, height, rects, count) {
  if (!at) { picture = null; return; }
  if (!picture || picture.buffer !== HEAPU8.buffer || picture.at !== at) {
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    picture = {
      buffer: HEAPU8.buffer, at: at, context: canvas.getContext('2d', { alpha: false }),
      image: new ImageData(new Uint8ClampedArray(HEAPU8.buffer, at, width * height * 4), width, height),
    };
    picture.context.putImageData(picture.image, 0, 0);
    return;
  }
  for (var i = 0; i < count; i++) {
    var r = (rects >> 2) + 4 * i;
    picture.context.putImageData(picture.image, 0, 0, HEAP32[r], HEAP32[r + 1],
                                 HEAP32[r + 2] - HEAP32[r], HEAP32[r + 3] - HEAP32[r + 1]);
  }
}

var Module = {
  canvas: canvas,
  varnokaOwnsSaves: false,
  preRun: [function () {
    // The saves live in the browser's storage, mounted where the game keeps them.
    FS.mkdir('/saves');
    FS.mount(IDBFS, {}, '/saves');
    Module.addRunDependency('saves');
    FS.syncfs(true, function (err) {
      if (err) console.error('varnoka: saves not read:', err);
      // The start-up language's pictures come before the game starts, so its
      // first pictures are already the right ones.
      window.varnokaStartLanguage = startLanguage();
      languageReady(window.varnokaStartLanguage);
      Promise.resolve(languageScripts[window.varnokaStartLanguage]).then(function () { Module.removeRunDependency('saves'); });
    });
  }],
  setStatus: function (text) {
    var m = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text || '');
    if (m) showStatus('Loading', parseFloat(m[1]), parseFloat(m[2]));
    else if (text) showStatus(text.replace(/\.+$/, ''), 0, 0);
  },
  monitorRunDependencies: function (left) {
    if (left !== 0) return;
    loading.hidden = true;
    // Every unpacked download has put its files in place by now.
    for (var code in languageData) {
      if (languageData[code] === 'unpacking') languageData[code] = 'ready';
    }
  },
  varnokaLanguageReady: languageReady,
  varnokaShowPicture: showPicture,
  onRuntimeInitialized: function () { loading.hidden = true; canvas.focus(); },
  varnokaStoreSaves: storeSaves,
  varnokaReleaseSaves: function () {
    whenStored(function () { if (releaseSaves) releaseSaves(); releaseSaves = null; });
  },
  varnokaFullScreen: function (on) { wantFullScreen = !!on; applyFullScreen(); },
  varnokaEnded: function () {
    whenStored(function () {
      if (document.fullscreenElement) document.exitFullscreen().catch(function () {});
      canvas.hidden = true;
      document.getElementById('ended').hidden = false;
      window.varnokaEnded = true;
    });
  },
  print: function (text) { console.log(text); },
  printErr: function (text) { console.warn(text); }
};

function loadScript(src) {
  return new Promise(function (resolve, reject) {
    var s = document.createElement('script');
    s.src = src;
    s.onload = resolve;
    s.onerror = function () { reject(new Error(src)); };
    document.body.appendChild(s);
  });
}

function start() {
  Module.varnokaOwnsSaves = true;
  showStatus('Loading', 0, 1);
  loadScript('varnoka-data.js').then(function () { return loadScript('varnoka.js'); }).catch(function (e) {
    showStatus('The game could not be loaded (' + e.message + ').', 0, 0);
  });
}

// One tab at a time holds the saves: the lock is kept for as long as this
// page lives and released by the browser when it closes.
if (navigator.locks) {
  navigator.locks.request('varnoka-saves', { ifAvailable: true }, function (lock) {
    if (!lock) { showAlreadyOpen(); return; }
    start();
    return new Promise(function (resolve) { releaseSaves = resolve; });
  });
} else {
  start();
}
