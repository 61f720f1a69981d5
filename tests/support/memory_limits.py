"""What the command-line and window tests share to read under a limit of
memory: a compressed file whose text is as large as asked, and a limit of
the address space (ulimit -v) for a child process."""

import gzip
import resource


def inflating_gzip(path, mebibytes):
    """A PDB file of gzip members one after the other, each inflating to
    1 MiB: a few kilobytes a member, the whole text as large as asked."""
    line = b"ATOM      1  N   ALA A   1       1.234  -0.000   0.100  1.00  0.00           N\n"
    member = gzip.compress(line * ((1 << 20) // len(line)), compresslevel=9)
    with open(path, "wb") as f:
        for _ in range(mebibytes):
            f.write(member)
    return path


def address_space_limit(mebibytes):
    """For preexec_fn: the child may map at most this much memory (ulimit -v)."""
    limit = mebibytes << 20
    return lambda: resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
