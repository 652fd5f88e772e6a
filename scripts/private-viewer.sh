# Sourced by the scripts that take pictures of the real viewer (animation.sh, desktop-pictures.sh):
# builds the viewer, starts it on a private Xvfb through the e2e harness, and leaves the harness's
# functions and E2E_* variables to the caller. Everything ends with the calling script.
# Usage: private_viewer NAME (NAME names the scratch folder, which is in $scratch).
private_viewer() {
  "$root/scripts/install-deps.sh" animation
  cmake -S "$root" --preset viewer >/dev/null
  cmake --build "$root/build-viewer" --target splines -j"$(nproc)" >/dev/null
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/splines-$1-XXXXXX")
  set +e  # the harness checks its own steps
  source "$root/tests/e2e/harness.sh"
  e2e_init "$scratch/e2e" "$root/build-viewer/splines"
  trap 'e2e_cleanup; rm -rf "$scratch"' EXIT
  e2e_start_xserver
  e2e_start_viewer
}
