#!/usr/bin/env python3
"""zqe info --json and zqe inspect --json on the demonstration project and its image: the keys a
script reads, in agreement with the project, the image's own bytes and the address list, the same
in either language; a damaged and a truncated image are told apart from a sound one."""
import json
import os
import subprocess
import sys
import tempfile

zqe, demo = sys.argv[1], sys.argv[2]


def run(*args, language="en", status=0):
    done = subprocess.run([zqe, *args], capture_output=True, env=dict(os.environ, ZQ_LANG=language))
    assert done.returncode == status, (args, done.returncode, done.stderr)
    return done


def parsed(*args, **kwargs):
    return json.loads(run(*args, **kwargs).stdout.decode("utf-8"))


info = parsed("info", "--json", demo)
assert info == parsed("info", "--json", demo, language="zh"), "the JSON form is never translated"
assert (info["format"], info["version"]) == ("zqe-project", 1)
assert info["device"]["model"] == "QMX200" and info["device"]["plc"]["name"] == "MODBUS自由协议"
assert info["device"]["serial"]["parity"] == 2 and info["panel"]["backlightDelay"] == 60
assert [s["name"] for s in info["screens"]] == ["主画面", "参数设置", "报警"]
assert info == parsed("export", demo), "a project the editor saves reads as its exact form"

with tempfile.TemporaryDirectory() as work:
    image_path = os.path.join(work, "demo.vxg")
    run("compile", demo, "-o", image_path)
    image = open(image_path, "rb").read()
    report = parsed("inspect", "--json", image_path)
    assert list(report)[:3] == ["format", "version", "size"], list(report)
    assert (report["format"], report["version"]) == ("zqe-image", 1)
    assert report["size"] == len(image) == report["length"]
    assert report["consistent"] is True and report["problems"] == []
    assert report["backlight"] == 60 and report["functionPages"] == [1, 2, 3, 0]
    assert report["screens"] == 3 and len(report["controls"]) == 18
    assert sorted(report["texts"]) == sorted(["温度监控", "TEMP", "℃", "RUN", "设置", "设定值 SET:", "启动",
                                              "报警 ALARM", "超温", "断线"]), report["texts"]
    kinds = [c["kind"] for c in report["controls"]]
    assert kinds[:2] == ["register", "register"] and kinds.count("lamp") == 3, kinds
    assert all((c["parameter"] is None) == (c["kind"] == "static-text") for c in report["controls"])
    # Registers and lamps at the stations and line addresses the address list gives them.
    lines = {e["typed"]: (e["station"], e["line"]) for e in parsed("xref", "--json", demo)["addresses"]}
    def at(kind):
        return [(p["station"], p["address"]) for p in report["parameters"] if p["kind"] == kind]
    assert at("register") == [lines["D100"], lines["D200"]], (at("register"), lines)
    assert at("lamp") == [lines["Y10"], lines["M100"], lines["M101"]], at("lamp")
    registers = [p for p in report["parameters"] if p["kind"] == "register"]
    assert registers[1]["maximum"] == 1200 and registers[1]["editable"] == 1, registers

    # One length byte off: still one object, its problem named, status 1.
    damaged = os.path.join(work, "damaged.vxg")
    open(damaged, "wb").write(image[:1] + bytes([image[1] ^ 1]) + image[2:])
    report = parsed("inspect", "--json", damaged, status=1)
    assert report["consistent"] is False and any("length field" in p for p in report["problems"]), report
    # Shorter than the header: no header fields, nothing decoded.
    short = os.path.join(work, "short.vxg")
    open(short, "wb").write(image[:10])
    report = parsed("inspect", "--json", short, status=1)
    assert report["length"] is None and report["controls"] == [] and report["consistent"] is False
print("zqe JSON ok")
