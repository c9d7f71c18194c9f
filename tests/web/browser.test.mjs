// The browser build played in the system's headless Chromium through the
// DevTools protocol: the page loads, a player is made, level 1 is played with
// clicks on the canvas until points are scored, the level is left through the
// in-game menu, the page is reloaded and everything is still there, a second
// tab is turned away, and the exit question ends on the page that says the
// progress is saved. Screens are compared with the desktop build's frames.
//
//   node --test tests/web/   (VARNOKA_WEB=build-web, VARNOKA_WEB_REFERENCE=
//   build-test/tests/web-reference, VARNOKA_WEB_SHOTS=build-web-test)
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { startServer, downloadSize } from './serve.mjs';
import * as game from './gamepage.mjs';

const repo = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const webDir = path.resolve(repo, process.env.VARNOKA_WEB || 'build-web');
const refDir = path.resolve(repo, process.env.VARNOKA_WEB_REFERENCE || 'build-test/tests/web-reference');
const shotDir = path.resolve(repo, process.env.VARNOKA_WEB_SHOTS || 'build-web-test');

let server, browser, page, url;

before(async () => {
  fs.mkdirSync(shotDir, { recursive: true });
  server = await startServer(webDir);
  url = `http://localhost:${server.port}/`;
  browser = await game.launchBrowser(fs.mkdtempSync(path.join(os.tmpdir(), 'varnoka-chromium-')));
  page = await game.openPage(browser, url);
});

after(async () => {
  if (browser) await browser.close();
  if (server) server.server.close();
});

test('the page loads the game and reaches the main menu', async () => {
  const started = Date.now();
  await game.waitForRuntime(page);
  await game.skipToMenu(page, path.join(refDir, 'menu-first.png'));
  const seconds = (Date.now() - started) / 1000;
  console.log(`figure: page load to main menu ${seconds.toFixed(1)} s`);
  console.log(`figure: download ${(downloadSize(webDir) / 1e6).toFixed(2)} MB as served (gzip)`);
  await game.screenshot(page, path.join(shotDir, 'menu-first.png'));
});

test('a new player is made with a typed name', async () => {
  await game.clickGame(page, 690, 190);
  await game.sleep(800);
  await page.keyboard.type('Web');
  await game.pressKey(page, 'Enter');
  await game.sleep(2500);
  const diff = await game.screenDifference(page, path.join(refDir, 'menu.png'));
  await game.screenshot(page, path.join(shotDir, 'menu.png'));
  console.log(`figure: main menu differs from the desktop's by ${(100 * diff).toFixed(2)} %`);
  assert.ok(diff < game.kSameScreen, `main menu differs from the desktop's by ${diff}`);
});

test('level 1 is played with clicks until points are scored', async () => {
  await game.openLevelOne(page);
  const diff = await game.screenDifference(page, path.join(refDir, 'level1.png'));
  await game.screenshot(page, path.join(shotDir, 'level1.png'));
  console.log(`figure: level 1 differs from the desktop's by ${(100 * diff).toFixed(2)} % (its pieces are random)`);
  assert.ok(diff < game.kSameBoard, `level 1 differs from the desktop's by ${diff}`);
  await game.playGroupMoves(page);
  await game.screenshot(page, path.join(shotDir, 'level1-played.png'));
});

test('the in-game menu leaves the level, and the saves survive a reload', async () => {
  await game.pressKey(page, 'Escape');
  await game.sleep(800);
  await game.clickGame(page, 432, 364); // back to the roadmap: the level is kept
  await game.sleep(2500);
  await game.waitForStoredSaves(page);
  const before = await game.readPlayer(page, 1);
  assert.equal(before.name, 'Web');
  assert.equal(before.isResume, 1);
  assert.ok(before.resumePoints > 0, `points scored: ${before.resumePoints}`);

  await page.reload();
  await game.waitForRuntime(page);
  const after = await game.readPlayer(page, 1);
  assert.deepEqual(after, before);
  await game.skipToMenu(page, path.join(refDir, 'menu.png'), game.kMenuSigns);
});

test('a second tab says the game is open in another one', async () => {
  const second = await game.openPage(browser, url);
  await second.waitForFunction(() => window.varnokaAlreadyOpen === true, { timeout: 20000 });
  assert.equal(await second.evaluate(() => typeof Module === 'object' && Module.varnokaOwnsSaves), false);
  await game.screenshot(second, path.join(shotDir, 'second-tab.png'));
  await second.close();
  await game.returnToTab(page);
});

// The options' language row: its arrow to the next language and the one back.
async function stepLanguage(arrowX) {
  await game.waitForChange(page, [[400, 560]], () => game.clickGame(page, 265, 740));
  await game.sleep(1000);
  await game.clickGame(page, arrowX, 540);
  await game.sleep(500);
  await game.clickGame(page, 512, 612);
  await game.sleep(1500);
}

test('a language fetches its pictures when chosen, and before the game on the next visit', async () => {
  const fetched = () => server.served.files.filter((f) => /^\/varnoka-[a-z]{2}\.data$/.test(f));
  assert.deepEqual(fetched(), [], 'an English player fetches no other language');
  await stepLanguage(652); // Deutsch
  await page.waitForFunction(() => FS.analyzePath('/game/data/lang/de/branding/title.png').exists, { timeout: 30000 });
  assert.deepEqual(fetched(), ['/varnoka-de.data']);
  const menuDe = path.join(shotDir, 'menu-de.png');
  await game.saveCanvas(page, menuDe);
  await game.waitForStoredSaves(page);

  await page.reload();
  await game.waitForRuntime(page);
  assert.equal(await page.evaluate(() => window.varnokaStartLanguage), 'de');
  assert.ok(await page.evaluate(() => FS.analyzePath('/game/data/lang/de/story/story1.jpg').exists),
            'the pictures of the saved language are there when the game starts');
  await game.skipToMenu(page, menuDe, game.kMenuSigns);
  await stepLanguage(372); // back to English
  const diff = await game.screenDifference(page, path.join(refDir, 'menu.png'), game.kMenuSigns);
  assert.ok(diff < game.kSameScreen, `main menu back in English differs from the desktop's by ${diff}`);
});

test('quitting saves and shows that the progress is saved', async () => {
  await game.quitFromMenu(page);
  await page.waitForFunction(() => window.varnokaEnded === true, { timeout: 20000 });
  const text = await page.evaluate(() => document.getElementById('ended').innerText);
  assert.match(text, /progress is saved/);
  await game.screenshot(page, path.join(shotDir, 'ended.png'));
});
