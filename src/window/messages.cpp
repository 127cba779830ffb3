#include "window/messages.h"

namespace dorvax {

std::string msg::GenericError(int32_t number, const std::string& description) {
  return "エラー発生により、現在の処理を中断します。" + kCrLf + std::to_string(number) + " : " + description;
}

}  // namespace dorvax
