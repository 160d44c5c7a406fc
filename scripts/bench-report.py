#!/usr/bin/env python3
"""Writes docs/BENCHMARKS.md from one run of the benchmarks.

    bench-report.py JSON_FOLDER IMAGES_RESULTS OUTPUT.md

JSON_FOLDER holds one Google Benchmark JSON file per host program (written by
scripts/bench.sh with LM_BENCH_JSON); IMAGES_RESULTS the lines of
scripts/bench-images.sh. Only this run's figures appear in the table.
"""
import json
import os
import platform
import re
import subprocess
import sys

json_dir, images_file, output = sys.argv[1:4]
composition_file = sys.argv[4] if len(sys.argv) > 4 else ''

SIZES = {
    'bench_Ras32_Resamplers': '6000x4000',
    'bench_Filters': '4000x3000',
    'bench_Ras32_Blend': '6000x4000',
}
PEERS = ['vips', 'magick', 'pillow']


def load(name):
    path = os.path.join(json_dir, name + '.json')
    if not os.path.exists(path):
        return None
    with open(path) as f:
        return json.load(f)


def ms(b):
    t = b['real_time']
    return t * {'ns': 1e-6, 'us': 1e-3, 'ms': 1, 's': 1e3}[b.get('time_unit', 'ns')]


def fmt_ms(v):
    if v is None:
        return '-'
    return '%.0f' % v if v >= 100 else '%.1f' % v if v >= 1 else '%.3f' % v


def fmt_db(v):
    return '-' if v is None else ('%.1f' % v)


def sided(data):
    """{op: {side: {'ms':..., 'psnr':..., extra counters}}} for names side/op[/N_threads]."""
    rows = {}
    for b in data['benchmarks']:
        if b.get('run_type') == 'aggregate' or b.get('error_occurred'):
            continue
        parts = [p for p in b['name'].split('/')
                 if not re.fullmatch(r'iterations:\d+|real_time|manual_time', p)]
        side = parts[0]
        threads = ''
        if re.fullmatch(r'\d+_threads?', parts[-1]):
            threads = '1t' if parts[-1].startswith('1_') else 'all'
            parts = parts[:-1]
        op = '/'.join(parts[1:])
        key = side + ('_' + threads if threads else '')
        entry = {'ms': ms(b)}
        for c in ('PSNR_dB', 'PSNR_best_shift_dB', 'PSNR_model_dB', 'shift_px'):
            if c in b:
                entry[c] = b[c]
        rows.setdefault(op, {})[key] = entry
    return rows


def ratio(peer, ours):
    if peer is None or ours is None or ours == 0:
        return '-'
    return '%.2f' % (peer / ours)


def peer_table(title, data, size, note=''):
    rows = sided(data)
    out = ['### ' + title, '']
    if note:
        out += [note, '']
    out.append('| operation | size | ours ms | vips ms (1 / all threads) | magick ms (1 / all) | pillow ms '
               '| ratio: fastest 1-thread peer / ours | PSNR dB: ours / vips / magick / pillow |')
    out.append('|---|---|---|---|---|---|---|---|')
    for op, sides in rows.items():
        if 'ours' not in sides:
            continue
        g = lambda k: sides.get(k, {}).get('ms')
        q = lambda k: sides.get(k, {}).get('PSNR_dB', sides.get(k + '_1t', {}).get('PSNR_dB'))
        one = [v for v in (g('vips_1t'), g('magick_1t'), g('pillow')) if v is not None]
        psnr = ' / '.join(fmt_db(q(k)) for k in ('ours', 'vips', 'magick', 'pillow'))
        if all(q(k) is None for k in ('ours', 'vips', 'magick', 'pillow')):
            psnr = 'exact arithmetic (not a filter)' if op.startswith('blend') else '-'
        out.append('| %s | %s | %s | %s / %s | %s / %s | %s | %s | %s |' % (
            op, size, fmt_ms(g('ours')), fmt_ms(g('vips_1t')), fmt_ms(g('vips_all')), fmt_ms(g('magick_1t')),
            fmt_ms(g('magick_all')), fmt_ms(g('pillow')), ratio(min(one) if one else None, g('ours')), psnr))
    out.append('')
    return out, rows


def blend_table(data):
    by = {b['name']: ms(b) for b in data['benchmarks'] if b.get('run_type') != 'aggregate'}
    out = ['### Blend rows and fills against pixman', '',
           'Ours at each bound variant; pixman is Debian\'s build (SSE2/SSSE3, no AVX2). '
           'Exact integer arithmetic on both sides: no quality column.', '',
           '| operation | size | ours reference / SSE2 / AVX2 ms | pixman ms | ratio: pixman / ours (best) |',
           '|---|---|---|---|---|']

    def row(label, ours_prefix, peer, size):
        v = [by.get(ours_prefix.format(s)) for s in ('reference', 'SSE2', 'AVX2')]
        best = min(x for x in v if x is not None) if any(x is not None for x in v) else None
        out.append('| %s | %s | %s | %s | %s |' % (label, size, ' / '.join(fmt_ms(x) for x in v),
                                                    fmt_ms(by.get(peer)), ratio(by.get(peer), best)))

    for kind in ('random', 'photo'):
        row('OVER (%s pixels)' % kind, 'BlendRow/{}/' + kind, 'PixmanOver/' + kind, '6000x4000')
        row('OVER in cache (%s pixels)' % kind, 'BlendRow/cached/{}/' + kind, 'PixmanOver/cached/' + kind,
            '6000x166')
    row('fill, opaque', 'BitmapClear/{}', 'PixmanFill', '6000x4000')
    row('fill, 50 % over', 'BitmapFillRectT/blend/{}', 'PixmanSolidOver', '6000x4000')
    out.append('')
    return out


def images_table(path):
    t, extra = {}, {}
    if os.path.exists(path):
        for line in open(path):
            p = line.split()
            if len(p) >= 2 and not line.startswith('#'):
                try:
                    t[p[0]] = float(p[1])
                except ValueError:
                    t[p[0]] = p[1]
                if len(p) >= 4:
                    extra[p[0]] = p[3]
    out = ['### Image files', '',
           'Ours: a release win64 build under Wine, the program\'s own functions (file in, new bitmap out; '
           'bitmap in, file out), and the parts that correspond to a peer\'s in-memory figure. Peers on the host, '
           'in memory, one process each (peers_Images). Median of the repeats.', '',
           '| operation | size | ours ms | peer | peer ms | ratio ours / peer | quality |', '|---|---|---|---|---|---|---|']

    def num(k):
        v = t.get(k)
        return v if isinstance(v, float) else None

    def row(label, ours, peer_label, peer, quality='', goal=''):
        o, p = num(ours), num(peer)
        r = '%.2f' % (o / p) if o and p else '-'
        out.append('| %s | 6000x4000 | %s | %s | %s | %s%s | %s |' % (label, fmt_ms(o), peer_label, fmt_ms(p), r,
                                                                   (' (goal ' + goal + ')') if goal else '', quality))

    def size_of(k):
        v = extra.get(k, '')
        return int(v.split('=')[1]) if v.startswith('bytes=') else None

    same = 'identical pixels (libjpeg-turbo 2.1.5 both)'
    row('open JPEG (file, new bitmap)', 'open_jpeg', 'TurboJPEG, memory, new buffer', 'peer_turbojpeg_new_buffer',
        same, '1.2')
    row('JPEG decode into reused memory', 'jpeg_memory_reused_bitmap', 'TurboJPEG, reused buffer',
        'peer_turbojpeg_reused_buffer', same)
    row('JPEG decode into a new bitmap', 'jpeg_memory_new_bitmap', 'TurboJPEG, memory, new buffer',
        'peer_turbojpeg_new_buffer', same)
    row('first touch of a new 96 MB bitmap', 'new_bitmap_first_touch', '-', None)
    row('open JPEG through GDI+ (for comparison)', 'open_jpeg_gdiplus', 'TurboJPEG, memory, new buffer',
        'peer_turbojpeg_new_buffer')
    row('save JPEG q80 (file)', 'save_jpeg_q80', 'TurboJPEG encode q80, memory', 'peer_turbojpeg_encode_q80',
        'same encoder and settings')
    pil = num('pillow_png_level6_bytes')
    for level, plevel in ((1, 1), (6, 6), (9, 9), (12, 9)):
        for threads in ('1_thread', 'all_threads'):
            k = 'png_memory_level%d_%s' % (level, threads)
            sz, psz = size_of(k), num('pillow_png_level%d_bytes' % plevel)
            q = 'size %.1f MB vs %.1f MB (%.3f x)' % (sz / 1e6, psz / 1e6, sz / psz) if sz and psz else ''
            goal = ''
            if level == 6:
                goal = '1' if threads == '1_thread' else '0.25'
            row('PNG encode level %d, %s (memory)' % (level, threads.replace('_', ' ')), k,
                'Pillow level %d%s, memory' % (plevel, ' (default)' if plevel == 6 else ''),
                'pillow_png_level%d' % plevel, q, goal)
    checks = ', '.join('%s: %s' % (k.split('_')[-1], t[k]) for k in ('png_check_pillow', 'png_check_imagemagick')
                       if k in t)
    row('save PNG (file, default level, all threads)', 'save_png', 'Pillow default, memory', 'pillow_png_level6',
        'opened by Pillow and ImageMagick: ' + (checks or 'not checked'))
    row('open PNG (file, new bitmap)', 'open_png', 'Pillow, memory', 'pillow_open_png',
        'decoded by libpng, as the program opens it')
    row('thumbnail 160x120 (file)', 'thumbnail_160x120_full', 'vips_thumbnail, one process, 1 thread',
        'peer_vips_thumbnail_1_thread')
    out.append('')
    if num('peak_mb_thumbnail_36mp') is not None and num('peak_mb_open_36mp') is not None:
        out += ['Peak memory of a 160x120 thumbnail of a 36-megapixel JPEG: %.1f MB, against %.1f MB for opening '
                'the whole picture (the largest resident size the system counted for a run doing only that, less '
                'a run that starts and ends).' % (num('peak_mb_thumbnail_36mp'), num('peak_mb_open_36mp')), '']
    return out


def composition_table(path):
    # The lines of bench_Composition: "label  median  fastest ms/step", the
    # quality lines after them.
    if not path or not os.path.exists(path):
        return []
    rows, quality = [], []
    for line in open(path):
        m = re.match(r'(.+?)\s+([0-9.]+)\s+([0-9.]+) ms/step$', line.rstrip())
        if m:
            rows.append('| %s | %s | %s |' % (m.group(1).strip(), m.group(2), m.group(3)))
        elif line.startswith('quality:'):
            quality.append('- ' + re.sub(r'\s{2,}', ': ', line.strip(), count=1))
    if not rows:
        return []
    return (['### Composition while dragging', '',
             'A 4000 x 3000 document with 50 rectangles (half with blurred shadows), one shadowed rectangle '
             'dragged by 100 steps in a 1280 x 800 view, a release win64 build under Wine, one thread '
             '(scripts/bench-composition.sh). The full step composes the whole picture; the drag step composes '
             'only the union of the object\'s old and new areas within what the view shows. The peer is the '
             'raster engine blending cached layers of the whole picture. "Every kind": a second document of '
             'the same size with 50 objects of every kind (rectangles, ellipses, polygons, lines and arrows, '
             'pencil strokes, texts, callouts, free shapes, pictures, highlighters; outlines up to 16 pixels, '
             'turns, shadows, reflections) gathered in the view, a text dragged the same way.', '',
             '| step | median ms | fastest ms |', '|---|---|---|'] + rows + [''] + quality + [''])


def cpu():
    try:
        info = open('/proc/cpuinfo').read()
        model = re.search(r'model name\s*:\s*(.*)', info).group(1)
        flags = re.search(r'flags\s*:\s*(.*)', info).group(1).split()
        return model, os.cpu_count(), 'avx2' in flags
    except (OSError, AttributeError):
        return platform.processor(), os.cpu_count(), False


def version(cmd):
    try:
        return subprocess.run(cmd, capture_output=True, text=True, shell=True).stdout.strip()
    except OSError:
        return '?'


model, cores, avx2 = cpu()
# A page written on a busy machine does not reproduce: the load of the last
# minute must not exceed the processors.
busy = os.getloadavg()
if busy[0] > cores:
    sys.exit('bench-report: load %.1f above %d processors; %s not written' % (busy[0], cores, output))
commit = version('git -C "%s" rev-parse --short HEAD' % os.path.dirname(os.path.abspath(__file__)))
if version('git -C "%s" status --porcelain --untracked-files=no' % os.path.dirname(os.path.abspath(__file__))):
    commit += ' with changes not committed'
lines = ['# Benchmarks', '',
         'Generated by `scripts/bench-report.sh` from one run on this machine; do not edit by hand. '
         'Ratios are peer time / our time (above 1: we are faster) unless a column says otherwise.', '',
         '## Conditions', '',
         '- Commit %s. Machine: %s, %d logical processors, load average %s when written (the page is '
         'not written above %d).' % (commit, model, cores, version("cut -d' ' -f1-3 /proc/loadavg"), cores) +
         ' On a shared, loaded machine single figures can move by several times between runs; the ratios '
         'and the quality columns are the part to read.',
         '- Every side works in memory on the same pixels; no process start-up, file parsing or file output is '
         'timed except in rows that say "file". Caches are emptied (64 MB written) before each timed operation, '
         'ours and the peers\' alike. Peers run in this process through their C interfaces (libvips %s, '
         'ImageMagick %s) or in one Python process that times itself (Pillow %s); vips writes into memory that '
         'is reused, as our destination is. Pictures are opaque, so Pillow gets RGB.' % (
             version('pkg-config --modversion vips'), version('pkg-config --modversion MagickCore'),
             version("/usr/bin/python3 -c 'import PIL; print(PIL.__version__)'")),
         '- Instruction sets: ours binds SSE2 and %s at start-up (the "reference" variant is plain C++); '
         'pixman is Debian\'s build, with SSE2/SSSE3 paths and no AVX2; libvips uses its run-time vector paths '
         '(Highway/orc) where it has them; ImageMagick (Q16) and Pillow are plain C compiled for x86-64 '
         '(SSE2). Our image files are a mingw build under Wine with libjpeg-turbo\'s SIMD.' % (
             'AVX2' if avx2 else 'no AVX2 (this processor has none)'),
         '- Threads: ours is one thread except the PNG writer (all processors when asked). Peers are shown on '
         'one thread and on all; the ratio compares with the fastest one-thread peer.',
         '- Quality: PSNR (dB) of RGB against an exact floating-point result of the named operation on a hard '
         'pattern (a zone plate, a one-pixel checkerboard and noise, a quarter of the benchmark size at the '
         'same scale factors). 99 means identical.', '']

res = load('bench_Ras32_Resamplers')
if res:
    t, rows = peer_table('Resizing and turning', res, '6000x4000 (turn: 4000x3000)',
                         'Each resize against the exact filter it names (box: the exact area average; linear: '
                         'triangle stretched by the factor; lanczos3 likewise; nearest: the pixel under each '
                         'centre, where any other choice of pixel scores about 7 dB on the noise and the '
                         'checkerboard, so that column only tells whether the same pixels were picked). '
                         'Ours "draft" is the program\'s own resizer (box averages when shrinking) and is '
                         'compared with the box reference; vips "box" is vips_shrink.')
    lines += t
    turn = rows.get('rotate30/linear', {}).get('ours', {})
    if turn:
        lines += ['#### Rotation accuracy', '',
                  ('Our bilinear turn by 30 degrees: %.1f dB against the exact bilinear turn; %.1f dB after the '
                   'best shift (%.2f pixel); %.1f dB against a floating-point model of the specified arithmetic. '
                   'Peers are scored after their best shift of at most a pixel (their canvases are placed '
                   'differently).') % (turn.get('PSNR_dB', 0), turn.get('PSNR_best_shift_dB', 0),
                                       turn.get('shift_px', 0), turn.get('PSNR_model_dB', 0)), '']
        for side in ('vips_1t', 'magick_1t', 'pillow'):
            s = rows['rotate30/linear'].get(side)
            if s and 'PSNR_dB' in s:
                lines.append('- %s: %.1f dB (shift %.2f pixel)' % (side.split('_')[0], s['PSNR_dB'],
                                                                    s.get('shift_px', 0)))
        lines.append('')
        lines.append('ROTATION_NOTE')
        lines.append('')

fil = load('bench_Filters')
if fil:
    t, _ = peer_table('Filters and blend modes', fil, '4000x3000',
                      'The exponential blur of radius 2 has the standard deviation 1.80 and that of radius 20 '
                      'has 12.9 (a one-pole filter run forward and backward with coefficient k has the kernel '
                      'a^|n|, a = 1 - k, variance 2a / k^2); the peers blur with a Gaussian of exactly that '
                      'sigma, and every blur is scored against the exact Gaussian of it, so the column shows how '
                      'far each is from a true Gaussian. Brightness, contrast and colour balance are tables per '
                      'channel: each peer runs its own table path with our table; brightness and contrast are '
                      'scored against our result (99: the same pixels). Saturation and hue/saturation are each side\'s own '
                      'operation of that name (different formulas), blends each side\'s mode of that name.')
    lines += t

bl = load('bench_Ras32_Blend')
if bl:
    lines += blend_table(bl)

lines += images_table(images_file)
lines += ['IMAGES_NOTE', '']
lines += composition_table(composition_file)

others = []
for name in ('bench_Ras32_Lines', 'bench_Ras32_Image', 'bench_HyDataTable', 'bench_Crypt_Cast128'):
    d = load(name)
    if not d:
        continue
    for b in d['benchmarks']:
        if b.get('run_type') != 'aggregate':
            others.append('| %s | %s | %s |' % (name.replace('bench_', ''), b['name'], fmt_ms(ms(b))))
if others:
    lines += ['### Without peers', '', 'Measured against their own goals (see each program\'s header).', '',
              '| program | operation | ms |', '|---|---|---|'] + others + ['']

# Explanations kept beside the generator, filled in where the markers stand.
notes = {}
notes_file = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'bench-report-notes.md')
if os.path.exists(notes_file):
    key = None
    for line in open(notes_file):
        m = re.match(r'<!-- (\w+) -->', line)
        if m:
            key = m.group(1)
            notes[key] = []
        elif key:
            notes[key].append(line.rstrip('\n'))
text = '\n'.join(lines)
for key in ('ROTATION_NOTE', 'IMAGES_NOTE'):
    text = text.replace(key, '\n'.join(notes.get(key, [])).strip())
with open(output, 'w') as f:
    f.write(text.rstrip() + '\n')
print('wrote', output)
