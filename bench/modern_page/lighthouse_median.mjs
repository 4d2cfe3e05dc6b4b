// Prints the median of each figure of several Lighthouse reports of one
// page, and the range of each score:
//   node lighthouse_median.mjs NAME REPORT.json...
import {readFileSync} from 'node:fs';

const [name, ...files] = process.argv.slice(2);
const reports = files.map(f => JSON.parse(readFileSync(f, 'utf8')));
const median = values => {
  const v = [...values].sort((a, b) => a - b);
  return v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
};
const score = key => {
  const v = reports.map(r => Math.round(r.categories[key].score * 100));
  return `${median(v)} (${Math.min(...v)}-${Math.max(...v)})`;
};
const audit = key => median(reports.map(r => r.audits[key].numericValue));
console.log(`${name} lighthouse, median of ${reports.length}: performance ${score('performance')}, ` +
  `accessibility ${score('accessibility')}, best practices ${score('best-practices')}, ` +
  `SEO ${score('seo')}, CLS ${audit('cumulative-layout-shift')}, ` +
  `FCP ${Math.round(audit('first-contentful-paint'))} ms, LCP ${Math.round(audit('largest-contentful-paint'))} ms, ` +
  `TBT ${Math.round(audit('total-blocking-time'))} ms, bytes ${audit('total-byte-weight')}, ` +
  `machine's benchmark index ${median(reports.map(r => r.environment.benchmarkIndex))}`);
