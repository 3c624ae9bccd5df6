#!/usr/bin/env python3
"""Turns the project's Markdown documents into plain HTML pages for the release archive.

    md2html.py INPUT.md OUTPUT.html

Knows the Markdown the documents use: headings, paragraphs, bullet lists, tables, fenced code,
pictures, links, **bold** and `code`. Links to other .md files become links to their .html
pages. The output depends only on the input (no dates), so the archive stays reproducible.
"""
import html
import re
import sys


def inline(text):
    parts = re.split(r"(`[^`]*`)", text)
    out = []
    for part in parts:
        if part.startswith("`") and part.endswith("`") and len(part) >= 2:
            out.append("<code>" + html.escape(part[1:-1]) + "</code>")
            continue
        part = html.escape(part, quote=False)
        part = re.sub(r"!\[([^\]]*)\]\(([^)]+)\)",
                      lambda m: '<img src="%s" alt="%s">' % (m.group(2), m.group(1)), part)
        part = re.sub(r"\[([^\]]+)\]\(([^)]+)\)",
                      lambda m: '<a href="%s">%s</a>' % (re.sub(r"\.md$", ".html", m.group(2)),
                                                        m.group(1)), part)
        part = re.sub(r"\*\*([^*]+)\*\*", r"<b>\1</b>", part)
        out.append(part)
    return "".join(out)


def convert(lines):
    body, i, title = [], 0, None
    while i < len(lines):
        line = lines[i]
        if line.startswith("```"):
            block = []
            i += 1
            while i < len(lines) and not lines[i].startswith("```"):
                block.append(lines[i])
                i += 1
            body.append("<pre>" + html.escape("\n".join(block)) + "</pre>")
            i += 1
        elif re.match(r"#{1,6} ", line):
            level = len(line) - len(line.lstrip("#"))
            text = line[level + 1:].strip()
            title = title or text
            body.append("<h%d>%s</h%d>" % (level, inline(text), level))
            i += 1
        elif line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                cells = [c.strip() for c in lines[i].strip().strip("|").split("|")]
                if not all(re.fullmatch(r":?-+:?", c) for c in cells):
                    rows.append(cells)
                i += 1
            out = ["<table>"]
            for n, cells in enumerate(rows):
                tag = "th" if n == 0 else "td"
                out.append("<tr>" + "".join("<%s>%s</%s>" % (tag, inline(c), tag) for c in cells)
                           + "</tr>")
            body.append("\n".join(out + ["</table>"]))
        elif re.match(r"[-*] ", line):
            items = []
            while i < len(lines) and (re.match(r"[-*] ", lines[i]) or
                                      (lines[i].startswith("  ") and items)):
                if re.match(r"[-*] ", lines[i]):
                    items.append(lines[i][2:].strip())
                else:
                    items[-1] += " " + lines[i].strip()
                i += 1
            body.append("<ul>\n" + "\n".join("<li>%s</li>" % inline(t) for t in items) + "\n</ul>")
        elif not line.strip():
            i += 1
        else:
            para = []
            while i < len(lines) and lines[i].strip() and not re.match(r"(#|```|\||[-*] )", lines[i]):
                para.append(lines[i].strip())
                i += 1
            body.append("<p>" + inline(" ".join(para)) + "</p>")
    return title or "MOTOSKOP", "\n".join(body)


STYLE = ("body{font-family:sans-serif;max-width:52em;margin:2em auto;padding:0 1em;line-height:1.45}"
         "table{border-collapse:collapse}td,th{border:1px solid #999;padding:.3em .5em;"
         "vertical-align:top}pre{background:#f2f2f2;padding:.6em}img{max-width:100%}")


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        title, body = convert(f.read().split("\n"))
    page = ('<!DOCTYPE html>\n<html lang="ru">\n<head>\n<meta charset="utf-8">\n'
            "<title>%s</title>\n<style>%s</style>\n</head>\n<body>\n%s\n</body>\n</html>\n"
            % (html.escape(title), STYLE, body))
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write(page)


if __name__ == "__main__":
    main()
