// Playing the browser build through its page: Chromium started headless, input
// on real canvas coordinates, the canvas compared with the desktop's frames,
// and the saves read back from the page's file system.
import fs from 'node:fs';
import puppeteer from 'puppeteer-core';

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Mean difference per colour channel (0..1) between the page's picture of the
// game and a desktop frame, both reduced to 256 x 192: the same screen scaled
// differently stays well below kSameScreen; another screen lies far above it.
export const kSameScreen = 0.04;
// The main menu coming in (fading in, its signs sliding in) is already this
// close to its finished picture; the branding and loading pages are not.
const kMenuShowing = 0.25;
// A level's board holds random pieces; the rest of the screen must match.
export const kSameBoard = 0.12;
// The main menu's rows that stay the same from visit to visit.
export const kMenuSigns = [[0, 64], [704, 768]];

export async function launchBrowser(profileDir) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profileDir,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--autoplay-policy=no-user-gesture-required',
           '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
           '--disable-backgrounding-occluded-windows'],
  });
}

export async function openPage(browser, url) {
  const page = await browser.newPage();
  // Wider than 4:3, so the page letterboxes the canvas.
  await page.setViewport({ width: 1200, height: 760 });
  page.on('pageerror', (e) => console.log('page error:', e.message));
  await page.goto(url);
  return page;
}

export async function waitForRuntime(page) {
  await page.waitForFunction(() => typeof calledRun !== 'undefined' && calledRun &&
                                   document.getElementById('loading').hidden, { timeout: 120000, polling: 200 });
}

// Page coordinates of a point of the game's 1024 x 768 picture.
async function toPage(page, x, y) {
  const r = await page.evaluate(() => {
    const b = document.getElementById('canvas').getBoundingClientRect();
    return { left: b.left, top: b.top, width: b.width, height: b.height };
  });
  return { x: r.left + (x + 0.5) * r.width / 1024, y: r.top + (y + 0.5) * r.height / 768 };
}

export async function clickGame(page, x, y) {
  const p = await toPage(page, x, y);
  await page.mouse.move(p.x, p.y);
  await sleep(60);
  await page.mouse.down();
  await sleep(80);
  await page.mouse.up();
  await sleep(60);
}

// A key held for a moment, as a player presses it: the game reads keys once
// per frame.
export async function pressKey(page, key) {
  await page.keyboard.down(key);
  await sleep(90);
  await page.keyboard.up(key);
  await sleep(60);
}

export async function screenshot(page, file) {
  await page.screenshot({ path: file });
}

// The game's picture as the page shows it, as PNG data in base64.
async function canvasShot(page) {
  const rect = await page.evaluate(() => {
    const b = document.getElementById('canvas').getBoundingClientRect();
    return { x: b.left, y: b.top, width: b.width, height: b.height };
  });
  return page.screenshot({ clip: rect, encoding: 'base64' });
}

// The game's picture alone, unscaled from the page, as a PNG file: a
// reference for screenDifference.
export async function saveCanvas(page, file) {
  fs.writeFileSync(file, Buffer.from(await canvasShot(page), 'base64'));
}

// Mean difference per colour channel (0..1) between two pictures of the game
// (base64 PNG, any scale), reduced to 256 x 192; only the rows of the game's
// picture within `bands` ([top, bottom] pairs).
function pictureDifference(page, a, b, bands) {
  return page.evaluate(async (a, b, bands) => {
    const load = (data) => new Promise((resolve, reject) => {
      const img = new Image();
      img.onload = () => resolve(img);
      img.onerror = reject;
      img.src = 'data:image/png;base64,' + data;
    });
    const pixels = (img) => {
      const c = document.createElement('canvas');
      c.width = 256;
      c.height = 192;
      const g = c.getContext('2d');
      g.imageSmoothingQuality = 'high';
      g.drawImage(img, 0, 0, 256, 192);
      return g.getImageData(0, 0, 256, 192).data;
    };
    const pa = pixels(await load(a)), pb = pixels(await load(b));
    let sum = 0, count = 0;
    for (const [top, bottom] of bands) {
      for (let y = Math.floor(top / 4); y < Math.ceil(bottom / 4); y++) {
        for (let i = y * 256 * 4; i < (y + 1) * 256 * 4; i += 4) {
          sum += Math.abs(pa[i] - pb[i]) + Math.abs(pa[i + 1] - pb[i + 1]) + Math.abs(pa[i + 2] - pb[i + 2]);
          count += 3;
        }
      }
    }
    return sum / (count * 255);
  }, a, b, bands);
}

// The game as the page shows it (scaled and letterboxed), against a desktop
// frame.
export async function screenDifference(page, referencePng, bands = [[0, 768]]) {
  return pictureDifference(page, await canvasShot(page), fs.readFileSync(referencePng).toString('base64'), bands);
}

// Waits until the rows `bands` of the game's picture differ clearly from how
// they looked when called (a popup opened over them, for example).
export async function waitForChange(page, bands, action, timeout = 20000) {
  const before = await canvasShot(page);
  await action();
  const until = Date.now() + timeout;
  while (Date.now() < until) {
    if (await pictureDifference(page, await canvasShot(page), before, bands) > kSameScreen) return;
    await sleep(200);
  }
  throw new Error('the screen did not change');
}

// Enter on the branding pages until the screen is the main menu of the
// reference frame, then the time for its signs to slide in. The menu's
// landscape changes from visit to visit; `bands` can keep to the rows that do
// not change (its welcome sign and its buttons).
export async function skipToMenu(page, referencePng, bands) {
  const until = Date.now() + 120000;
  let diff = 1;
  while (Date.now() < until) {
    diff = await screenDifference(page, referencePng, bands);
    if (diff < kSameScreen) break;
    // Once the menu shows through, no more keys: on the menu Enter would
    // press the button the keyboard's focus is on.
    if (diff < kMenuShowing) await sleep(300);
    else await pressKey(page, 'Enter');
    await sleep(300);
  }
  await sleep(2500);
  diff = await screenDifference(page, referencePng, bands);
  if (diff >= kSameScreen) {
    await page.screenshot({ path: referencePng.replace(/\.png$/, '') + '-not-reached.png' });
    throw new Error(`no main menu like ${referencePng}: difference ${diff}`);
  }
  return diff;
}

// Start, resume (the story page that is due, then the roadmap and its help on
// a first visit), Start on the roadmap (the next story page), level 1 and the
// help pages it opens while its board comes in.
export async function openLevelOne(page) {
  await clickGame(page, 690, 190);
  await sleep(800);
  await clickGame(page, 597, 484);
  await sleep(2500);
  await clickGame(page, 900, 730);
  await sleep(3000);
  await pressKey(page, 'Enter');
  await sleep(1000);
  await clickGame(page, 120, 720);
  await sleep(2500);
  await clickGame(page, 900, 730);
  await sleep(5000);
  for (let i = 0; i < 3; i++) {
    await pressKey(page, 'Enter');
    await sleep(700);
  }
  await sleep(1500);
}

// Group game (key 3): a click on every cell of two middle rows of level 1's
// board; each click on three or more equal pieces clears them (all rows would
// win the level).
export async function playGroupMoves(page) {
  await pressKey(page, '3');
  for (let row = 3; row < 5; row++) {
    for (let col = 0; col < 11; col++) {
      await clickGame(page, 272 + 48 * col, 172 + 48 * row);
      await sleep(150);
    }
  }
  await sleep(1500);
}

export async function waitForStoredSaves(page) {
  await page.waitForFunction(() => window.varnokaSavesStored && window.varnokaSavesStored(), { timeout: 20000 });
}

// A player's file as the game wrote it: 1850 numbers, then the name.
export async function readPlayer(page, slot) {
  return page.evaluate((slot) => {
    const bytes = FS.readFile(`/saves/tellgrave/Varnoka/players${slot}.ppp`);
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const int = (i) => view.getInt32(4 * i, true);
    const length = int(1850);
    const name = String.fromCharCode(...bytes.subarray(4 * 1851, 4 * 1851 + length));
    return { name, level: int(4), isResume: int(5), resumePoints: int(6), resumeLevel: int(7) };
  }, slot);
}

// Back to a tab that may have lost the focus to another one: the game then
// paused, and the first click only ends the pause. A click on the main menu's
// empty sky does nothing else.
export async function returnToTab(page) {
  await page.bringToFront();
  await sleep(500);
  await clickGame(page, 300, 100);
  await sleep(500);
}

// The main menu's Quit, then OK in the exit question once it has opened.
export async function quitFromMenu(page) {
  await waitForChange(page, [[400, 560]], () => clickGame(page, 925, 740));
  await sleep(1000);
  await clickGame(page, 597, 484);
}
