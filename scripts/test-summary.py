"""The closing lines of ./test.sh: what was skipped and why, and the test
cases of the JUnit reports named on the command line (those that exist),
counted."""
import os
import re
import sys
import xml.etree.ElementTree as ET

cases = [c for r in sys.argv[1:] if os.path.exists(r) for c in ET.parse(r).iter("testcase")]
failed = sum(c.find("failure") is not None for c in cases)
skipped = [c for c in cases if c.find("skipped") is not None]
for c in cases:
    out = c.findtext("system-out") or ""
    for reason in re.findall(r"skipped .(.*).$", out, re.M) or (out.strip().splitlines() if c in skipped else []):
        print("Skipped in %s: %s" % (c.get("name"), reason))
print("test.sh: %d passed, %d failed, %d skipped" % (len(cases) - failed - len(skipped), failed, len(skipped)))
