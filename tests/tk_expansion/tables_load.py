"""tk_expansion's tables load whole in pandas and numpy.

Makes the parameter table of the bundled cooling series with read_quavelon_out, runs
tk_expansion on it with every option that adds columns, and loads every TK_expansion_*.tsv
with pandas.read_csv(sep='\\t') and numpy.genfromtxt(delimiter='\\t', names=True, dtype=None):
each must give one record per data line and one column per header field.

usage: tables_load.py READ_QUAVELON_OUT TK_EXPANSION EXAMPLE_FOLDER
Exit 77 (skipped) when pandas or numpy is not installed.
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import warnings

try:
    import numpy
    import pandas
except ImportError:
    print("pandas or numpy is not installed: skipped")
    sys.exit(77)


def check(path):
    with open(path, newline="") as f:
        lines = f.read().split("\r\n")
    assert lines[-1] == "", path
    lines = lines[:-1]
    fields = len(lines[0].split("\t"))
    frame = pandas.read_csv(path, sep="\t")
    assert frame.shape == (len(lines) - 1, fields), (path, frame.shape)
    assert not frame.iloc[:, 1:].isna().all(axis=0).any(), path  # no column is empty padding
    with warnings.catch_warnings():
        warnings.simplefilter("error")  # numpy only warns about a ragged row
        array = numpy.genfromtxt(path, delimiter="\t", names=True, dtype=None, encoding="utf-8")
    assert len(array.dtype.names) == fields, (path, array.dtype.names)
    assert array.shape == (len(lines) - 1,), (path, array.shape)


def main():
    tool, expansion, example = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as folder:
        for name in os.listdir(example):
            shutil.copy(os.path.join(example, name), folder)
        subprocess.run([tool], cwd=folder, input="cooling_series.txt\n" + "n\n" * 20,
                       text=True, check=True, capture_output=True)
        for arguments in ([], ["--fit", "poly:2", "--cell-errors", "--draws", "100"]):
            subprocess.run([expansion] + arguments, cwd=folder, check=True, capture_output=True)
            tables = sorted(glob.glob(os.path.join(folder, "TK_expansion_*.tsv")))
            assert len(tables) == 6, tables
            for path in tables:
                check(path)
    print("every table loads whole")


main()
