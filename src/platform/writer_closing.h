#pragma once
// Closing an output file on a failure path: what has been written so far is
// kept where the disk allows it, and nothing is reported, because the
// failure that led here is the one the user is told about.
namespace dorvax::platform {

template <typename Writer>
void CloseWithoutReporting(Writer& file) noexcept {
  try {
    file.Close();
  } catch (...) {
    file.CloseQuietly();
  }
}

}  // namespace dorvax::platform
