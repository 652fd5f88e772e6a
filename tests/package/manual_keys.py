"""Checks the manual page's KEYS section against the README's Keys table (same rows, same words) and
against the viewer's key table in app/keys.cpp (same set of keys). Usage: manual_keys.py MANPAGE ROOT"""
import gzip
import re
import sys


def manual_rows(path):
    """(key column, description) of each .TP entry of the KEYS section, roff escapes undone."""
    opener = gzip.open if path.endswith(".gz") else open
    with opener(path, "rt", encoding="utf-8") as f:
        lines = f.read().splitlines()
    start = lines.index(".SH KEYS") + 1
    end = next(i for i in range(start, len(lines)) if lines[i].startswith(".SH "))
    rows, i = [], start
    while i < end:
        if lines[i] == ".TP":
            key = re.sub(r"^\.B ", "", lines[i + 1]).strip('"')
            text = []
            i += 2
            while i < end and not lines[i].startswith("."):
                text.append(lines[i])
                i += 1
            rows.append((unescape(key), unescape(" ".join(text))))
        else:
            i += 1
    return rows


def unescape(roff):
    return roff.replace(r"\-", "-").replace(r"\(aq", "'").replace(r"\e", "\\")


def readme_rows(path):
    """Rows of the table headed '| key | does |'."""
    with open(path, encoding="utf-8") as f:
        lines = [line.strip() for line in f]
    start = lines.index("| key | does |") + 2  # past the header and its rule
    rows = []
    for line in lines[start:]:
        if not line.startswith("|"):
            break
        cells = [cell.strip() for cell in line.strip("|").split("|")]
        rows.append((cells[0], cells[1]))
    return rows


def key_table(path):
    """The keys bound in KEY_TABLE: letters as themselves, ESCAPE as 'Escape'."""
    with open(path, encoding="utf-8") as f:
        source = f.read()
    table = re.search(r"KEY_TABLE\[\] = \{(.*?)\n\};", source, re.S).group(1)
    return {"Escape" if key == "ESCAPE" else key[1]
            for key in re.findall(r"^\s*\{('.'|ESCAPE),", table, re.M)}


def keys_of(rows):
    return {key for column, _ in rows for key in column.split() if key != "/"}


def main(manpage, root):
    manual = manual_rows(manpage)
    readme = readme_rows(f"{root}/README.md")
    bound = key_table(f"{root}/app/keys.cpp")
    failures = []
    if manual != readme:
        only_manual = [row for row in manual if row not in readme]
        only_readme = [row for row in readme if row not in manual]
        failures.append(f"manual page and README differ: only in the manual {only_manual}, "
                        f"only in the README {only_readme} (or in another order)")
    if keys_of(manual) != bound:
        failures.append(f"keys of the manual page {sorted(keys_of(manual))} are not the viewer's "
                        f"key table {sorted(bound)}")
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(manual)} key rows in the manual page, {len(readme)} in the README, "
          f"{len(bound)} keys in the viewer's table")
    return 1 if failures or not manual else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
