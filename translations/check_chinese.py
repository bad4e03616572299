# Fails when translations/zqsuite_zh.ts holds a text (context and source) that the English catalogue,
# and so the sources, no longer have, or one without its Chinese.
# Usage: check_chinese.py zqsuite_en.ts zqsuite_zh.ts
import sys
import xml.etree.ElementTree as ET


def messages(path):
    for context in ET.parse(path).getroot().iter("context"):
        for message in context.iter("message"):
            yield context.findtext("name"), message.findtext("source"), message.findtext("translation") or ""


known = {(context, source) for context, source, _ in messages(sys.argv[1])}
faults = [f"{context}: {source!r} is not in the sources" for context, source, _ in messages(sys.argv[2])
          if (context, source) not in known]
faults += [f"{context}: {source!r} has no Chinese" for context, source, chinese in messages(sys.argv[2])
           if not chinese.strip()]
for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
