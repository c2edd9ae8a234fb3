// Parses every statement that dump_statements wrote with an independent
// T-SQL parser: each must parse, be a single SELECT, and have as many
// columns in its select list as its column array has rows.
import { readFileSync } from 'node:fs';
import pkg from 'node-sql-parser';

const { Parser } = pkg;
const parser = new Parser();
const records = JSON.parse(readFileSync(process.argv[2], 'utf8'));
let checked = 0;
const failures = [];

for (const r of records) {
  if (r.error) continue;
  const where = `${r.class}.${r.member} [host ${r.host}, args ${JSON.stringify(r.args)}]`;
  let ast;
  try {
    ast = parser.astify(r.sql, { database: 'transactsql' });
  } catch (e) {
    failures.push(`${where}: does not parse: ${String(e.message).slice(0, 160)}\n    ${JSON.stringify(r.sql)}`);
    continue;
  }
  const statements = Array.isArray(ast) ? ast : [ast];
  checked++;
  if (statements.length !== 1) {
    failures.push(`${where}: ${statements.length} statements`);
    continue;
  }
  const s = statements[0];
  if (s.type !== 'select') {
    failures.push(`${where}: a ${s.type}, not a SELECT`);
    continue;
  }
  // A star stands for as many columns as the table has: the width is
  // unknown then, and only the parse is checked.
  const star = !Array.isArray(s.columns) ||
    s.columns.some((c) => c.expr && c.expr.type === 'column_ref' && c.expr.column === '*');
  if (star) continue;
  const width = s.columns.length;
  if (width !== r.columns) failures.push(`${where}: ${width} columns selected, ${r.columns} listed`);
}

for (const f of failures) console.log(`FAIL ${f}`);
console.log(`${checked - failures.length} passed, ${failures.length} failed`);
process.exit(failures.length === 0 && checked > 0 ? 0 : 1);
