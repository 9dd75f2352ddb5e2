"""Usage: check_json.py TESSALY_CLI

Runs the numerical commands with --format json and reads each object back with
Python's own JSON reader, from the bytes as written (strict UTF-8): the keys in
their order, the types, and results that agree with the rows."""
import json
import math
import subprocess
import sys

tool = sys.argv[1]
KEYS = ["command", "rows", "label", "error", "messages", "results", "warnings"]


def run(*args, status=0):
    done = subprocess.run([tool, *args, "--format", "json"], capture_output=True, check=False)
    assert done.returncode == status, (args, done.returncode, done.stderr)
    assert done.stdout.endswith(b"\n") and done.stdout.count(b"\n") == 1, done.stdout
    obj = json.loads(done.stdout.decode("utf-8", errors="strict"))
    assert list(obj) == KEYS, list(obj)
    assert obj["command"] == args[0]
    assert all(isinstance(obj[k], list) for k in ["rows", "messages", "results", "warnings"])
    assert isinstance(obj["error"], int) and (obj["error"] != 0) == (status == 1)
    return obj


roots = run("roots", "--function", "x^3-2*x", "--lower", "-2", "--upper", "2")
assert len(roots["results"]) == 3 and roots["label"] == "3 roots"
for result, row in zip(roots["results"], roots["rows"]):
    assert math.isclose(result["x"], float(row), rel_tol=1e-14, abs_tol=1e-15), (result, row)

extrema = run("extrema")
assert [e["kind"] for e in extrema["results"]] == ["min", "max"] * 3
assert all(isinstance(e["possible_root"], bool) for e in extrema["results"])
assert extrema["label"] == "3 max. 3 min. "

integral = run("integral", "--function", "x^4", "--lower", "0", "--upper", "1", "--subintervals", "2")
assert [list(r) for r in integral["results"]] == [["value", "error_estimate", "converged"]]
assert integral["results"][0]["value"] == 0.2 and integral["results"][0]["converged"] is True
assert abs(integral["results"][0]["value"] - 0.2) <= integral["results"][0]["error_estimate"] < 0.1
for result in roots["results"]:
    assert result["certified"] and result["lo"] <= result["x"] <= result["hi"], result
assert all(set(e) == {"kind", "x", "y", "e", "certified", "height_uncertainty", "possible_root"}
           for e in extrema["results"])

value = run("value", "--function", "x^3", "--x", "2", "--order", "1")
assert value["results"][0]["order"] == 1 and math.isclose(value["results"][0]["value"], 12, rel_tol=1e-12)
assert isinstance(value["results"][0]["significant_digits"], int)

touching = run("roots", "--function", "(x-1)^2", "--lower", "-2", "--upper", "3")
assert [w["kind"] for w in touching["warnings"]] == ["touching_root"] and math.isclose(touching["warnings"][0]["x"], 1)

table = run("table", "--function", "Log(x)", "--lower", "-1", "--upper", "1", "--points", "3")
assert [p["value"] for p in table["results"]] == [None, None, 0]
assert [p["error"] for p in table["results"]] == [5, 5, 0]
assert table["rows"] == ["-1\terror 5", "0\terror 5", "1\t0"] and table["label"] is None

failed = run("roots", "--function", "2+", status=1)
assert failed["error"] == 1002 and failed["messages"] == ["Syntax error"] and failed["label"] is None

# A constant the engine refuses is told with its text, whatever its bytes: the
# bytes that are not UTF-8 become U+FFFD.
refused = subprocess.run([tool, "roots", "--function", "x", "--format", "json", "--constant", b"b=\xff\xfe"],
                         capture_output=True, check=True)
obj = json.loads(refused.stdout.decode("utf-8", errors="strict"))
assert any("[b=\ufffd\ufffd]" in m for m in obj["messages"]), obj["messages"]
print("json ok")
