#!/usr/bin/env python3
"""Smoke test of `ravek --screenshot OUT.png [FILE]`: the program starts,
opens the file, draws, writes a picture of its main window and leaves the way
File > Exit does. The exit code is 0; a file that cannot be opened or gives
no molecule opens no window, so the program ends with 1 and the reason on
stderr, and takes no picture.

usage: screenshot_test.py RAVEK SAMPLE TESTDATA_DIR WORK_DIR
"""

import os
import shutil
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from memory_limits import address_space_limit, inflating_gzip  # noqa: E402

ravek, sample, testdata, work = sys.argv[1:5]
os.makedirs(work, exist_ok=True)
failures = []


def run(args, env, preexec_fn=None):
    """Runs the program; a display that refused the connection (a busy
    virtual display) is tried once more, since that is not the program's
    doing."""
    for attempt in range(2):
        result = subprocess.run(args, env=env, capture_output=True, text=True, timeout=60,
                                preexec_fn=preexec_fn)
        if "could not connect to display" not in result.stderr:
            break
    return result


def png_size(path):
    with open(path, "rb") as png:
        header = png.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", header[16:24])


def check(name, file, expected_code):
    out = os.path.join(work, name + ".png")
    config = os.path.join(work, "config-" + name)
    if os.path.exists(out):
        os.remove(out)
    env = dict(os.environ, XDG_CONFIG_HOME=config)
    args = [ravek, "--screenshot", out] + ([file] if file else [])
    result = run(args, env)
    if result.returncode != expected_code:
        failures.append("%s: exit code %d, expected %d\n%s" %
                        (name, result.returncode, expected_code, result.stderr))
        return
    size = png_size(out) if os.path.exists(out) else None
    if size != (700, 700):
        failures.append("%s: picture %s, expected a 700x700 PNG" % (name, size))
    # Leaving like File > Exit writes the settings and, after a file, the
    # recent-file list.
    conf = os.path.join(config, "Pralt Software", "RAVEK.conf")
    text = open(conf, encoding="utf-8").read() if os.path.exists(conf) else ""
    if "DisplayMode=" not in text or "SavePos=" not in text:
        failures.append("%s: settings not written at exit" % name)
    if file and expected_code == 0 and "File1=" not in text:
        failures.append("%s: recent-file list not written at exit" % name)


check("empty", None, 0)
check("sample", sample, 0)
if os.path.isdir(testdata):
    check("gaussian-output", os.path.join(testdata, "gaussian/g16/water.log"), 0)
    check("gaussian-input", os.path.join(testdata, "gaussian/input/water.com"), 0)
    check("pdb", os.path.join(testdata, "pdb/1crn.pdb"), 0)
    check("zmatrix-input", os.path.join(testdata, "gaussian/input/water_z.com"), 0)
not_molecule = os.path.join(work, "notes.xyz")
with open(not_molecule, "w") as notes:
    notes.write("no molecule here\n")


def batch(name, args, expected_code, stderr_has, settings=None, preexec_fn=None):
    """A run nobody watches never waits on a message box: it ends with the
    reason on stderr (found waiting forever on a missing file, a folder and
    the ball-and-stick question)."""
    config = os.path.join(work, "config-" + name)
    if settings:
        os.makedirs(os.path.join(config, "Pralt Software"), exist_ok=True)
        with open(os.path.join(config, "Pralt Software", "RAVEK.conf"), "w") as conf:
            conf.write("[Settings]\n" + "".join("%s=%s\n" % item for item in settings.items()))
    env = dict(os.environ, XDG_CONFIG_HOME=config)
    picture = os.path.join(work, name + ".png")
    if os.path.exists(picture):
        os.remove(picture)
    try:
        result = run([ravek, "--screenshot", picture] + args, env,
                     preexec_fn)
    except subprocess.TimeoutExpired:
        failures.append("%s: still running after 60 s (waiting for a person?)" % name)
        return
    if result.returncode != expected_code or stderr_has not in result.stderr:
        failures.append("%s: exit code %d, expected %d with %r on stderr\n%s" %
                        (name, result.returncode, expected_code, stderr_has, result.stderr))


batch("missing-file", [os.path.join(work, "absent.pdb")], 1, "absent.pdb")
batch("folder", [work], 1, "Is a directory")
batch("question", [sample], 0, "", {"Warning": 2, "DisplayMode": 2})
batch("no-molecule-says-why", [not_molecule], 1, "notes.xyz")
if os.path.exists(os.path.join(work, "no-molecule-says-why.png")):
    failures.append("no-molecule-says-why: a picture of no window was taken")
# A small-molecule CIF: the reason is the fractional coordinates, as the
# command-line tool says (the window once said only that atom_site rows were
# missing).
small_cif = os.path.join(work, "salt.cif")
with open(small_cif, "w") as f:
    f.write("data_salt\n_cell_length_a 5.64\n_cell_length_b 5.64\n_cell_length_c 5.64\n"
            "loop_\n_atom_site_label\n_atom_site_type_symbol\n_atom_site_fract_x\n"
            "_atom_site_fract_y\n_atom_site_fract_z\nNa1 Na 0 0 0\nCl1 Cl 0.5 0.5 0.5\n")
batch("small-molecule-cif", [small_cif], 1, "分数座標")


# Under ulimit -v, a compressed file whose text would not fit is refused
# with the limit named, and the program lives on to take its picture (it
# once ended in bad_alloc, exit code 134).
# (AddressSanitizer reserves terabytes of address space: ulimit -v stops it.)
if "ASAN_OPTIONS" not in os.environ:
    batch("memory-limit", [inflating_gzip(os.path.join(work, "huge.pdb.gz"), 2048)], 1,
          "MiB of memory available", preexec_fn=address_space_limit(3072))



def export(name, args, expected_code, expected_size=None):
    """ravek --export-picture: a picture without a window."""
    config = os.path.join(work, "config-export")
    env = dict(os.environ, XDG_CONFIG_HOME=config)
    result = run([ravek, "--export-picture"] + args, env)
    if result.returncode != expected_code:
        failures.append("export %s: exit code %d, expected %d\n%s" %
                        (name, result.returncode, expected_code, result.stderr))
    if expected_size:
        out = args[0]
        if out.endswith(".png"):
            size = png_size(out)
        else:
            with open(out, "rb") as bmp:
                header = bmp.read(26)
            size = struct.unpack("<ii", header[18:26]) if header[:2] == b"BM" else None
        if size != expected_size:
            failures.append("export %s: picture %s, expected %s" % (name, size, expected_size))


export("png", [os.path.join(work, "ribbon.png"), "--style", "ribbon", "--size", "320x200",
               sample], 0, (320, 200))
export("bmp", [os.path.join(work, "wire.bmp"), sample], 0, (800, 600))
# The spellings the option parser takes decide the batch mode too.
equals = os.path.join(work, "equals.png")
result = run([ravek, "--export-picture=" + equals, "--size=64x48", sample],
             dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config-export")))
if result.returncode != 0 or not os.path.exists(equals) or png_size(equals) != (64, 48):
    failures.append("export with --export-picture=OUT: exit code %d\n%s" %
                    (result.returncode, result.stderr))
export("no molecule", [os.path.join(work, "none.png"), not_molecule], 1)
# File names whose bytes are not UTF-8 (Latin-1 "é" as one byte), for the
# structure and for the picture, on the command line of a batch picture and
# of a window run.
latin_dir = os.fsencode(work)
latin_pdb = os.path.join(latin_dir, b"caf\xe9.pdb")
shutil.copyfile(sample, latin_pdb)
latin_png = os.path.join(latin_dir, b"pic\xe9.png")
result = subprocess.run([os.fsencode(ravek), b"--export-picture", latin_png, b"--size", b"64x48",
                         latin_pdb], capture_output=True, timeout=60,
                        env=dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config-export")))
if result.returncode != 0 or not os.path.exists(latin_png) or png_size(latin_png) != (64, 48):
    failures.append("export of a name that is not UTF-8: exit code %d\n%s" %
                    (result.returncode, result.stderr))
latin_shot = os.path.join(latin_dir, b"shot\xe9.png")
result = subprocess.run([os.fsencode(ravek), b"--screenshot", latin_shot, latin_pdb],
                        capture_output=True, timeout=60,
                        env=dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config-latin")))
if result.returncode != 0 or png_size(latin_shot) != (700, 700):
    failures.append("window of a name that is not UTF-8: exit code %d\n%s" %
                    (result.returncode, result.stderr))
export("bad size", [os.path.join(work, "x.png"), "--size", "0x5", sample], 2)
export("unknown kind", [os.path.join(work, "x.gif"), sample], 2)


# Larger pictures, their resolution and transparency.
export("scale", [os.path.join(work, "s3.png"), "--size", "100x80", "--scale", "3", sample], 0,
       (300, 240))
dpi = os.path.join(work, "dpi.png")
export("dpi and transparency", [dpi, "--size", "100x80", "--dpi", "300", "--transparent", sample],
       0, (100, 80))
if os.path.exists(dpi):
    with open(dpi, "rb") as png:
        data = png.read()
    at = data.find(b"pHYs")
    per_metre = struct.unpack(">II", data[at + 4:at + 12]) if at > 0 else None
    if per_metre != (11811, 11811):
        failures.append("export --dpi 300: pHYs %s, expected 11811 per metre" % (per_metre,))
    if data[25] != 6:  # colour type: truecolour with alpha
        failures.append("export --transparent: PNG colour type %d, expected 6" % data[25])
export("transparent bmp", [os.path.join(work, "t.bmp"), "--transparent", sample], 2)
export("scale too large", [os.path.join(work, "x.png"), "--scale", "17", sample], 2)
export("beyond the largest side", [os.path.join(work, "x.png"), "--size", "9000x100", "--scale",
                                   "3", sample], 2)

# Movies of the geometries of an ensemble (the sample twice, moved).
ensemble = os.path.join(work, "ensemble.pdb")
with open(sample) as source:
    atoms = [line for line in source if line.startswith(("ATOM", "HETATM"))]
with open(ensemble, "w") as out:
    for model, shift in ((1, 0.0), (2, 1.5), (3, 3.0)):
        out.write("MODEL     %4d\n" % model)
        for line in atoms:
            x = float(line[30:38]) + shift
            out.write(line[:30] + "%8.3f" % x + line[38:])
        out.write("ENDMDL\n")


def movie(name, args, expected_code, env_extra=None, stderr_has=""):
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config-export"), **(env_extra or {}))
    try:
        result = run([ravek, "--export-movie"] + args, env)
    except subprocess.TimeoutExpired:
        failures.append("movie %s: still running after 60 s" % name)
        return None
    if result.returncode != expected_code or stderr_has not in result.stderr:
        failures.append("movie %s: exit code %d, expected %d with %r\n%s" %
                        (name, result.returncode, expected_code, stderr_has, result.stderr))
    return result


gif = os.path.join(work, "m.gif")
movie("gif", [gif, "--frames", "opt", "--size", "160x120", "--fps", "4", ensemble], 0)
if os.path.exists(gif):
    with open(gif, "rb") as data:
        gif_bytes = data.read()
    frames = gif_bytes.count(b"\x21\xf9\x04")
    size = struct.unpack("<HH", gif_bytes[6:10])
    if frames != 3 or size != (160, 120) or not gif_bytes.startswith(b"GIF89a"):
        failures.append("movie gif: %d frames of %s, expected 3 of (160, 120)" % (frames, size))
else:
    failures.append("movie gif: nothing written")
movie("a range", [os.path.join(work, "r.gif"), "--frames", "opt:2-3", ensemble], 0)
movie("a range beyond", [os.path.join(work, "x.gif"), "--frames", "opt:2-9", ensemble], 1,
      stderr_has="no such geometries")
movie("no modes", [os.path.join(work, "x.gif"), "--frames", "vib:1", ensemble], 1,
      stderr_has="no normal modes")
movie("bad frames", [os.path.join(work, "x.gif"), "--frames", "all", ensemble], 2)
movie("reversed range", [os.path.join(work, "x.gif"), "--frames", "opt:5-2", ensemble], 2,
      stderr_has="--frames opt:5-2: the range is reversed")
movie("from 0", [os.path.join(work, "x.gif"), "--frames", "opt:0-2", ensemble], 2,
      stderr_has="from 1")
movie("size beyond the limit", [os.path.join(work, "x.gif"), "--frames", "opt", "--size",
                                "100000x100000", ensemble], 2,
      stderr_has="--size 100000x100000: a side is at most 20000 pixels")
movie("unknown kind", [os.path.join(work, "x.avi"), "--frames", "opt", ensemble], 2)
movie("mp4 without ffmpeg", [os.path.join(work, "x.mp4"), "--frames", "opt", ensemble], 1,
      {"PATH": os.path.join(work, "no-programs")}, "ffmpeg")

# An ffmpeg that fails at once says how; one that never ends is ended a set
# time after the last frame (the movie once waited for ever); the program
# ended by a signal while ffmpeg runs leaves no scratch file (it once did).
fake = os.path.join(work, "fake-ffmpeg")
os.makedirs(fake, exist_ok=True)


def fake_ffmpeg(script):
    path = os.path.join(fake, "ffmpeg")
    with open(path, "w") as f:
        f.write("#!/bin/sh\n" + script)
    os.chmod(path, 0o755)


def scratch_files():
    return [name for name in os.listdir(work) if name.startswith(".") and name.endswith(".tmp")]


fake_path = {"PATH": fake + os.pathsep + os.environ.get("PATH", "")}
fake_ffmpeg("echo \"Unknown encoder 'libx264'\" >&2\nexit 3\n")
movie("ffmpeg that fails at once", [os.path.join(work, "x.mp4"), "--frames", "opt", ensemble], 1,
      fake_path, "exited with status 3: Unknown encoder 'libx264'")
fake_ffmpeg("cat > /dev/null\nexec sleep 600\n")
movie("ffmpeg that never ends", [os.path.join(work, "x.mp4"), "--frames", "opt", ensemble], 1,
      dict(fake_path, RAVEK_FFMPEG_TIMEOUT="2"), "did not finish within 2 s")
killed = subprocess.Popen([ravek, "--export-movie", os.path.join(work, "x.mp4"), "--frames", "opt",
                           ensemble], env=dict(os.environ, **fake_path,
                                               XDG_CONFIG_HOME=os.path.join(work, "config-export")),
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
for _ in range(300):  # until the frames are drawn and it waits on ffmpeg
    if scratch_files() or killed.poll() is not None:
        break
    time.sleep(0.05)
time.sleep(1.0)
seen = scratch_files()
killed.terminate()
killed.wait(timeout=30)
if not seen:
    failures.append("movie: no scratch file while ffmpeg ran")
if scratch_files():
    failures.append("movie: the program ended by SIGTERM left %s" % scratch_files())
if killed.returncode != -15:
    failures.append("movie: the program ended by SIGTERM gave %s" % killed.returncode)
for left in ("x.gif", "x.mp4", "x.avi"):
    if os.path.exists(os.path.join(work, left)):
        failures.append("movie: a failed movie left %s" % left)
if shutil.which("ffmpeg") and shutil.which("ffprobe"):
    mp4 = os.path.join(work, "m.mp4")
    movie("mp4", [mp4, "--frames", "opt", "--size", "160x120", ensemble], 0)
    probe = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0",
                            "-show_entries", "stream=nb_read_frames,width,height", "-of",
                            "csv=p=0", mp4], capture_output=True, text=True)
    if probe.stdout.strip() != "160,120,3":
        failures.append("movie mp4: ffprobe says %r, expected 160,120,3" % probe.stdout)


def bmp_pixel(path, x, y):
    """The (blue, green, red) of pixel x, y (y downwards) of a 24-bit BMP."""
    with open(path, "rb") as bmp:
        data = bmp.read()
    width, height = struct.unpack("<ii", data[18:26])
    offset = struct.unpack("<I", data[10:14])[0]
    stride = (width * 3 + 3) // 4 * 4
    at = offset + (height - 1 - y) * stride + x * 3
    return tuple(data[at:at + 3])


# --style decides the picture: wire frame and ball and stick differ, and the
# molecule is in the middle, not background.
styles = {}
for style in ("wire", "ball"):
    out = os.path.join(work, "style-%s.bmp" % style)
    export("style " + style, [out, "--style", style, "--size", "200x200", sample], 0, (200, 200))
    if os.path.exists(out):
        with open(out, "rb") as bmp:
            styles[style] = bmp.read()
        # The middle half of the picture holds the molecule's atoms.
        lit = [bmp_pixel(out, x, y) for x in range(50, 150, 2) for y in range(50, 150, 2)]
        if sum(pixel != (0, 0, 0) for pixel in lit) < 20:
            failures.append("export style %s: nothing drawn in the middle" % style)
if len(styles) == 2 and styles["wire"] == styles["ball"]:
    failures.append("export: --style wire and --style ball gave the same picture")

if os.path.exists(os.path.join(work, "none.png")):
    failures.append("export no molecule: a picture was written")


def command_line(name, args, expected_code, stream_has, stream="stdout", display=True):
    """The command line alone: help and version without a display, usage
    errors with exit code 2 and the reason."""
    env = dict(os.environ)
    if not display:
        env.pop("DISPLAY", None)
        env.pop("WAYLAND_DISPLAY", None)
    result = run([ravek] + args, env)
    text = getattr(result, stream)
    if result.returncode != expected_code or stream_has not in text:
        failures.append("command line %s: exit code %d, expected %d with %r on %s\n%s%s" %
                        (name, result.returncode, expected_code, stream_has, stream,
                         result.stdout, result.stderr))


command_line("help", ["--help"], 0, "--export-picture <OUT>")
command_line("help without a display", ["--help"], 0, "--screenshot", display=False)
command_line("version", ["--version"], 0, "RAVEK 0.1")
command_line("help-all", ["--help-all"], 0, "--export-picture <OUT>")
command_line("version beside Qt's options", ["-platform", "offscreen", "--version"], 0, "RAVEK 0.1",
             display=False)
command_line("unknown option", ["--bogus", sample], 2, "Unknown option 'bogus'", "stderr")
command_line("two files for one picture", ["--screenshot", "x.png", sample, sample], 2,
             "a batch picture takes one file", "stderr")
command_line("size without export", ["--size", "10x10", sample], 2, "--export-picture", "stderr")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
