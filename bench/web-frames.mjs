// The work time of a frame in the browser build against the native build, in
// one run on the same machine: the main menu and level 1 at rest, and busy
// play on level 1 (a group clicked every 0.3 s, the pointer always moving). The
// browser's figures come from the game's own frame loop (each frame timed from
// its start to its end, the canvas update included); the native ones from the
// real-time benchmarks of bench/bench_rest.cpp. `make bench-web` runs it.
//
//   node bench/web-frames.mjs build-web build/bench/varnoka_bench REFERENCE_DIR
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import * as game from '../tests/web/gamepage.mjs';
import { startServer, downloadSize } from '../tests/web/serve.mjs';

const [webDir, nativeBench, refDir] = process.argv.slice(2);
const kSeconds = 6;

function nativeFigures() {
  const out = execFileSync(nativeBench, ['--benchmark_filter=BM_AtRest/(0|2)|BM_BusyPlay/1', '--benchmark_format=json'],
                           { env: { ...process.env, SDL_VIDEODRIVER: 'dummy', SDL_AUDIODRIVER: 'dummy' },
                             maxBuffer: 1 << 24 }).toString();
  const runs = JSON.parse(out).benchmarks;
  const ms = (prefix) => runs.find((b) => b.name.startsWith(prefix)).frame_ms;
  return { menu: ms('BM_AtRest/0'), level: ms('BM_AtRest/2'), busy: ms('BM_BusyPlay/1') };
}

async function measure(page, during) {
  await page.evaluate(() => { Module.varnokaFrameWork = { frames: 0, ms: 0, worst: 0 }; });
  const started = Date.now();
  while (Date.now() < started + kSeconds * 1000) await (during ? during() : game.sleep(200));
  const w = await page.evaluate(() => Module.varnokaFrameWork);
  return { ms: w.ms / Math.max(w.frames, 1), fps: 1000 * w.frames / (Date.now() - started), worst: w.worst };
}

const server = await startServer(path.resolve(webDir));
const browser = await game.launchBrowser(fs.mkdtempSync(path.join(os.tmpdir(), 'varnoka-bench-')));
const started = Date.now();
const page = await game.openPage(browser, `http://localhost:${server.port}/`);
await game.waitForRuntime(page);
const loadSeconds = (Date.now() - started) / 1000;
await game.skipToMenu(page, path.join(refDir, 'menu-first.png'));
const web = { menu: await measure(page) };
await game.clickGame(page, 690, 190);
await game.sleep(800);
await page.keyboard.type('Bench');
await game.pressKey(page, 'Enter');
await game.sleep(2500);
await game.openLevelOne(page);
await game.pressKey(page, '3');
web.level = await measure(page);
let step = 0;
web.busy = await measure(page, async () => {
  step++;
  await game.clickGame(page, 272 + 48 * (step % 11), 172 + 48 * ((step * 3) % 8));
  await page.mouse.move(100 + (step * 37) % 800, 100 + (step * 23) % 560, { steps: 5 });
  await game.sleep(300);
});
await browser.close();
server.server.close();

const native = nativeFigures();
console.log('frame work time, ms      browser   native   ratio   browser fps');
for (const [key, label] of [['menu', 'main menu at rest'], ['level', 'level 1 at rest  '], ['busy', 'busy play        ']]) {
  const b = web[key].ms, n = native[key];
  console.log(`${label}        ${b.toFixed(2).padStart(6)}   ${n.toFixed(2).padStart(6)}   ${(b / n).toFixed(2).padStart(5)}   ${web[key].fps.toFixed(1)}`);
}
console.log(`download as served (gzip): ${(downloadSize(path.resolve(webDir)) / 1e6).toFixed(2)} MB`);
console.log(`page load to the running game: ${loadSeconds.toFixed(1)} s`);
