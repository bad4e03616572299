#!/usr/bin/env python3
"""zqcatalog --json: every model and protocol of the shipped catalogues with the names as stored
(in either language), the keys, the kinds with their ranges and one default kind per group."""
import json
import os
import subprocess
import sys

program = sys.argv[1]
documents = []
for language in ("en", "zh"):
    run = subprocess.run([program, "--json"], capture_output=True, env=dict(os.environ, ZQ_LANG=language))
    assert run.returncode == 0, run.stderr
    documents.append(json.loads(run.stdout.decode("utf-8")))
english, chinese = documents
assert english == chinese, "the JSON form is never translated"
models = {m["id"]: m for m in english["models"]}
assert sorted(models) == [100, 101], models.keys()
assert models[100]["name"] == "QMX200" and len(models[100]["keys"]) == 16
assert models[101]["keys"][-1] == "PGDN" and len(models[101]["keys"]) == 25
assert (models[100]["screenWidth"], models[100]["screenHeight"]) == (192, 64)
assert (models[100]["integerDigits"], models[100]["decimalDigits"]) == (5, 4)
protocols = {p["id"]: p for p in english["protocols"]}
modbus = protocols[100]
assert modbus["name"] == "MODBUS自由协议", modbus["name"]
on_small = next(m for m in modbus["models"] if m["model"] == 100)
assert on_small["station"] == 1 and on_small["stationShown"] is True
coils = {k["name"]: k for k in on_small["coils"]}
assert (coils["Y(输出)"]["low"], coils["Y(输出)"]["high"]) == (0, 377)
for model in modbus["models"]:
    for group in ("registers", "coils"):
        assert sum(k["default"] for k in model[group]) == 1, (model["model"], group)
print("zqcatalog --json ok")
