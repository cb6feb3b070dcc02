// Checks what udp_daemon printed of one contact against tavrix.adi, and
// reads both the Logged ADIF text and the file with a logger's ADIF parser
// (adif-parser-ts), which must find every field of the record.
//
//   node loggers_check.js UDP_DAEMON_OUTPUT TAVRIX_ADI
const fs = require('fs');
const { AdifParser } = require('adif-parser-ts');

const [printed, adi] = process.argv.slice(2).map((f) => fs.readFileSync(f, 'latin1'));
let failures = 0;
function check(ok, what) {
    console.log((ok ? 'ok:   ' : 'FAIL: ') + what);
    if (!ok) failures++;
}
const count = (re) => (printed.match(new RegExp(re, 'g')) || []).length;

// The fields of each record as written, <NAME:length>value, by their byte
// lengths: what any reader must find again.
function fieldsOf(text) {
    const body = text.slice(text.search(/<EOH>/i) + 5);
    const fields = {};
    const re = /<([A-Za-z_]+):(\d+)>/g;
    let m;
    while ((m = re.exec(body))) {
        fields[m[1].toLowerCase()] = body.substr(re.lastIndex, Number(m[2]));
        re.lastIndex += Number(m[2]);
    }
    return fields;
}

function parses(name, text) {
    let parsed;
    try {
        parsed = AdifParser.parseAdi(text);
    } catch (e) {
        return check(false, `${name} parses: ${e}`);
    }
    const records = parsed.records || [];
    check(records.length === 1, `${name}: one record (${records.length})`);
    const want = fieldsOf(text);
    for (const [field, value] of Object.entries(want))
        check(records[0] && records[0][field] === value, `${name}: ${field} = ${JSON.stringify(value)}`);
    check(parsed.header && parsed.header.programid === 'Tavrix', `${name}: header names Tavrix`);
}

check(/Discovered WSJT-X instance: Tavrix\(.*\) v0\.13\.3\.1/.test(printed), 'heartbeat: discovered, with the version');
check(count('Discovered WSJT-X instance') === 1 && count('Removed WSJT-X instance') === 1,
      'heartbeats kept it in view from START to the close: discovered once, removed once');
check(/Removed WSJT-X instance: Tavrix\(.*\)\s*$/.test(printed), 'the close is the last thing printed');

const f = fieldsOf(adi);
const stamp = (date, time) =>
    `${date.slice(0, 4)}-${date.slice(4, 6)}-${date.slice(6, 8)} ${time.slice(0, 2)}:${time.slice(2, 4)}:${time.slice(4, 6)}.000 UTC`;
const qso = (printed.match(/^time_on: .*$/m) || [''])[0];
check(qso.includes(`time_on: QDateTime(${stamp(f.qso_date, f.time_on)} Qt::UTC)`), `QSO Logged time on = tavrix.adi's`);
check(qso.includes(`time_off: QDateTime(${stamp(f.qso_date_off, f.time_off)} Qt::UTC)`), `QSO Logged time off = tavrix.adi's`);
check(qso.includes(`dx_call: "${f.call}"`) && f.call === 'Q9XYZ', 'QSO Logged call Q9XYZ');
check(qso.includes('mode: "FSK441"') && qso.includes('freq: 144370000'), 'QSO Logged mode FSK441, 144370000 Hz');
check(qso.includes('rpt_sent: "27" rpt_rcvd: "27"') && qso.includes('my_call: "Q1ABC"'), 'QSO Logged reports and own call');

const quoted = (printed.match(/^ADIF: (".*")$/m) || [])[1];
check(quoted !== undefined, 'the Logged ADIF text printed');
if (quoted) {
    const text = JSON.parse(quoted);
    check(text.includes(adi.slice(adi.search(/<CALL:/))), "Logged ADIF holds tavrix.adi's record");
    parses('Logged ADIF', text);
}
parses('tavrix.adi', adi);
process.exit(failures ? 1 : 0);
