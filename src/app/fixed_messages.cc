#include "app/fixed_messages.h"

#include <initializer_list>

namespace lexmira {
namespace {

constexpr char kRule[] = "------------------------------------";  // 36 hyphens

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += "\n\n";
    text += line;
  }
  return text;
}

}  // namespace

std::string HelpMessage() {
  return Lines({"      ★ 软件使用帮助 ★", kRule, "      用Lexmira，", "      每天背一背,",
                "      迅速掌握英文词汇,", "      丰富您的词汇量。", kRule});
}

std::string AboutMessage() {
  return Lines({"★      关于本软件     ★", kRule, "软件名称：Lexmira 2007", "开 发 者：Kestrova工作室",
                std::string("电子邮箱：") + LEXMIRA_CONTACT_EMAIL,
                std::string("软件主页：") + LEXMIRA_HOMEPAGE, kRule});
}

}  // namespace lexmira
