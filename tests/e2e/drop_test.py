#!/usr/bin/env python3
"""Real drags from another program onto the bar: one file, then three, then a directory with
a file, then a file whose name is not UTF-8."""
import os
import tempfile

import harness


def test(_desktop: harness.Desktop, qirt: harness.Qirt) -> None:
    tmp = tempfile.mkdtemp(prefix="qirt-drop-")

    def text_file(name: str, first_line: str) -> str:
        return harness.write(os.path.join(tmp, name), (first_line + "\r\nmore\r\n").encode())

    qirt.drop([text_file("one.txt", "the only file")])
    qirt.wait_title("the only file")

    three = [text_file(f"{n}.txt", f"file {n}") for n in ("a", "b", "c")]
    qirt.drop(three)
    qirt.wait_title("file c")  # each replaces the one before: the last stays

    folder = os.path.join(tmp, "folder")
    os.mkdir(folder)
    qirt.drop([folder, text_file("after-folder.txt", "after the folder")])
    qirt.wait_title("after the folder")

    odd = os.path.join(os.fsencode(tmp), b"\x82\xa0 odd \xff.txt")
    with open(odd, "wb") as f:
        f.write(b"a name of any bytes\r\n")
    qirt.drop([odd])
    qirt.wait_title("a name of any bytes")

    # A Shift-JIS novel and a UTF-8 file, one after the other, both read right.
    novel = ("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
             "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。")
    qirt.drop([harness.write(os.path.join(tmp, "neko.txt"), (novel + "\r\n二行目\r\n").encode("cp932"))])
    qirt.wait_title(novel)
    qirt.wheel(5)  # from byte 12, the second byte of the sixth character: the seventh begins
    qirt.wait_title(novel[6:])
    qirt.drop([harness.write(os.path.join(tmp, "utf8.txt"), "これは UTF-8 の①行目\n次\n".encode())])
    qirt.wait_title("これは UTF-8 の①行目")


if __name__ == "__main__":
    harness.run(test)
