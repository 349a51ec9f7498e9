"""Runs the README's examples as a user would: every ```sh block, in the order given, in one fresh
folder, with quarrow-cli on the PATH. Fails at the first command that fails, and names it."""

import os
import re
import subprocess
import sys
import tempfile


def main(readme: str, cli: str) -> int:
    with open(readme, encoding="utf-8") as text:
        blocks = re.findall(r"^```sh\n(.*?)^```$", text.read(), flags=re.MULTILINE | re.DOTALL)
    if not blocks:
        print(f"{readme}: no ```sh examples", file=sys.stderr)
        return 1
    with tempfile.TemporaryDirectory(prefix="readme-") as folder:
        bin_folder = os.path.join(folder, "bin")
        os.mkdir(bin_folder)
        os.symlink(os.path.abspath(cli), os.path.join(bin_folder, "quarrow-cli"))
        work = os.path.join(folder, "work")
        os.mkdir(work)
        environment = dict(os.environ, PATH=bin_folder + os.pathsep + os.environ.get("PATH", ""))
        for block in blocks:
            for line in block.splitlines():
                run = subprocess.run(["bash", "-o", "pipefail", "-c", line], cwd=work, env=environment,
                                     capture_output=True, text=True)
                if run.returncode != 0:
                    print(f"README example failed with exit code {run.returncode}: {line}\n{run.stderr}",
                          file=sys.stderr)
                    return 1
    print(f"{sum(len(block.splitlines()) for block in blocks)} README example lines ran as written")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
