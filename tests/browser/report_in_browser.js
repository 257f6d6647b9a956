// Loads a report in headless Chromium and checks what a reader sees: no script error, every
// plot drawn with one trace per pattern of its plot file and one point per plottable row, and
// the indicatrix drawn when the folder has the expansion tensor. Optionally takes screenshots.
//   node report_in_browser.js FOLDER [SCREENSHOT_FOLDER]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const folder = path.resolve(process.argv[2]);
const shots = process.argv[3];
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';

// The patterns of a plot file: how many rows of each can be plotted (no overflow, no NaN).
function patternsOf(file) {
  const counts = [];
  for (const line of fs.readFileSync(file, 'latin1').split(/\r?\n/)) {
    if (line.startsWith('# >>>>>>>> PATTERN')) counts.push(0);
    else if (line.length > 0 && !line.startsWith('#') && !/\*|NaN|Inf/.test(line)) counts[counts.length - 1]++;
  }
  return counts;
}

function anchorOf(name) {
  return name.replace(/\.pgf$/, '').replace(/[^A-Za-z0-9_-]/g, '_');
}

async function main() {
  const expected = {};
  for (const name of fs.readdirSync(folder).sort()) {
    if (name.endsWith('.pgf')) expected[anchorOf(name)] = patternsOf(path.join(folder, name));
  }
  const withIndicatrix = fs.existsSync(path.join(folder, 'TK_expansion_tensor.tsv'));
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'report-browser-'));
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir: profile,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      // WebGL in software for the 3D indicatrix (there is no GPU)
      '--enable-unsafe-swiftshader']
  });
  const failures = [];
  try {
    const page = await browser.newPage();
    page.on('pageerror', (error) => failures.push('script error: ' + error.message));
    page.on('console', (message) => {
      if (message.type() === 'error') failures.push('console error: ' + message.text());
    });
    page.on('request', (request) => {
      if (!request.url().startsWith('file:')) failures.push('network request: ' + request.url());
    });
    await page.setViewport({ width: 1100, height: 800 });
    await page.goto('file://' + path.join(folder, 'TK_report.html'), { waitUntil: 'load' });
    // Plots are drawn as they come into view: a reader's scroll through the page.
    const ids = await page.$$eval('.plot', (plots) => plots.map((plot) => plot.id));
    for (const id of ids) {
      await page.$eval('#' + id, (plot) => plot.scrollIntoView());
      await page.waitForFunction((wanted) => document.getElementById(wanted)._fullLayout !== undefined,
        { timeout: 60000 }, id);
    }

    const drawn = await page.evaluate(() => Array.from(document.querySelectorAll('.plot'))
      .map((plot) => ({
        id: plot.id.slice(5),
        traces: plot.data.map((trace) => ({ type: trace.type, points: (trace.x || []).length })),
        svgPoints: plot.querySelectorAll('.scatterlayer .trace .points path').length,
        canvases: plot.querySelectorAll('canvas').length
      })));
    const byId = Object.fromEntries(drawn.map((plot) => [plot.id, plot]));
    for (const [anchor, patterns] of Object.entries(expected)) {
      const plot = byId[anchor];
      if (!plot) { failures.push(anchor + ': not drawn'); continue; }
      const points = plot.traces.map((trace) => trace.points);
      if (JSON.stringify(points) !== JSON.stringify(patterns))
        failures.push(anchor + ': points per trace ' + JSON.stringify(points) + ', the file has ' +
          JSON.stringify(patterns));
      const total = patterns.reduce((sum, count) => sum + count, 0);
      if (total <= 2000 && plot.svgPoints !== total)
        failures.push(anchor + ': ' + plot.svgPoints + ' markers drawn, ' + total + ' expected');
    }
    const indicatrix = byId.indicatrix;
    if (withIndicatrix) {
      if (!indicatrix) failures.push('indicatrix: not drawn');
      else {
        const surfaces = indicatrix.traces.filter((trace) => trace.type === 'surface').length;
        const axes = indicatrix.traces.filter((trace) => trace.type === 'scatter3d').length;
        if (surfaces !== 2 || axes !== 3 || indicatrix.canvases === 0)
          failures.push('indicatrix: ' + surfaces + ' surfaces, ' + axes + ' axes, ' +
            indicatrix.canvases + ' canvases');
        const webgl = await page.evaluate(() =>
          document.querySelector('#plot-indicatrix')._fullLayout.scene._scene !== undefined);
        if (!webgl) failures.push('indicatrix: no WebGL scene');
      }
    }
    const tableRows = await page.evaluate(() =>
      document.querySelectorAll('table.series-table tbody tr').length);
    console.log('report_in_browser: ' + drawn.length + ' plots, ' + tableRows + ' table rows' +
      (withIndicatrix ? ', indicatrix' : ''));

    if (shots) {
      fs.mkdirSync(shots, { recursive: true });
      await page.evaluate(() => window.scrollTo(0, 0));
      await page.screenshot({ path: path.join(shots, 'report_top.png') });
      const volume = await page.$('#TK_volume');
      if (volume) await volume.screenshot({ path: path.join(shots, 'report_plot.png') });
      const figure = await page.$('#indicatrix');
      if (figure) await figure.screenshot({ path: path.join(shots, 'report_indicatrix.png') });
    }
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  for (const failure of failures) console.error('report_in_browser: ' + failure);
  process.exit(failures.length === 0 ? 0 : 1);
}

main().catch((error) => {
  console.error('report_in_browser: ' + error.stack);
  process.exit(1);
});
