// Lays out generated template pages in Chromium as a phone and a desktop see them, measures how
// wide each lays out, runs axe-core's accessibility rules and, when asked, takes whole-page shots.
// Driven by tools/audit-templates.sh, which makes the pages and installs what this needs.
//
//   node audit-templates.cjs BROWSER AXE_FILE SHOTS_DIR|- PAGE.html...
//
// Prints one JSON object per page and width: {page, width, laidOut, widest, rows, score,
// violations:{rule:count},
// details:[{rule, target, summary}]}.
'use strict';
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [browserPath, axeFile, shotsDir, ...pages] = process.argv.slice(2);
const widths = [360, 1000];

// One number per page: the share of applicable rules it passes, each rule weighted by its impact
// (critical 10, serious 7, moderate 3, minor 1).
function score(results) {
    const weight = {critical: 10, serious: 7, moderate: 3, minor: 1};
    let total = 0, passed = 0;
    for (const r of results.passes) { const w = weight[r.impact] || 3; total += w; passed += w; }
    for (const r of results.violations) total += weight[r.impact] || 3;
    return total ? passed / total : 1;
}

(async () => {
    const browser = await puppeteer.launch({
        executablePath: browserPath,
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
               '--no-first-run', '--allow-file-access-from-files', '--hide-scrollbars'],
    });
    const axeSource = fs.readFileSync(axeFile, 'utf8');
    for (const file of pages) {
        for (const width of widths) {
            const page = await browser.newPage();
            // A phone: the device-width viewport the page asks for, touch, no desktop minimum width.
            await page.setViewport({width, height: 800, deviceScaleFactor: 1, isMobile: width < 600,
                                    hasTouch: width < 600});
            await page.goto('file://' + path.resolve(file), {waitUntil: 'load'});
            // How wide the page lays out, its widest box narrower than the view (the ad's designed
            // width) and its rows of pictures.
            const {laidOut, widest, rows} = await page.evaluate(() => {
                let widest = 0;
                for (const e of document.body.querySelectorAll('*')) {
                    const w = e.getBoundingClientRect().width;
                    if (w < innerWidth - 40) widest = Math.max(widest, Math.round(w));
                }
                const tops = new Set();
                for (const img of document.querySelectorAll('a > img'))
                    tops.add(Math.round(img.getBoundingClientRect().top));
                return {laidOut: document.documentElement.scrollWidth, widest, rows: tops.size};
            });
            if (shotsDir !== '-') {
                const name = path.basename(file, '.html') + '-' + width + '.png';
                await page.screenshot({path: path.join(shotsDir, name), fullPage: true});
            }
            await page.evaluate(axeSource);
            const results = await page.evaluate(async () => {
                return await window.axe.run(document, {
                    resultTypes: ['violations', 'passes'],
                    // What a whole page needs (a main landmark, a top heading) is the site's part.
                    rules: {'landmark-one-main': {enabled: false}, 'page-has-heading-one': {enabled: false},
                            'region': {enabled: false}},
                });
            });
            const violations = {};
            const details = [];
            for (const v of results.violations) {
                violations[v.id] = v.nodes.length;
                for (const n of v.nodes)
                    details.push({rule: v.id, target: n.target.join(' '),
                                  summary: (n.failureSummary || '').replace(/\s+/g, ' ').slice(0, 300)});
            }
            console.log(JSON.stringify({page: path.basename(file, '.html'), width, laidOut, widest, rows,
                                        score: Math.round(score(results) * 100) / 100, violations, details}));
            await page.close();
        }
    }
    await browser.close();
})().catch(e => { console.error(e); process.exit(1); });
