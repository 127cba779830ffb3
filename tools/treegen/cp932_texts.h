// Japanese texts of the generated files, as CP932 bytes. The bytes were produced
// once with iconv (UTF-8 -> CP932) and are kept literally so the generator needs no
// code-page conversion at run time. Several names contain a trail byte of 0x5C
// ("\") on purpose: readers that split double-byte characters wrongly show it.
#pragma once

#include <cstddef>
#include <string_view>

namespace treegen::cp932 {

struct Place {
  std::string_view kanji;     // station name
  std::string_view kana;      // reading in full-width katakana
  std::string_view halfKana;  // reading in half-width katakana (single-byte characters)
  std::string_view prefecture;
};

extern const Place kPlaces[];
extern const std::size_t kPlaceCount;

// Fixed words of the header lines.
extern const std::string_view kHourlyTitle;       // 地上気象観測時別値
extern const std::string_view kYear;              // 年
extern const std::string_view kMonth;             // 月
extern const std::string_view kDay;               // 日
extern const std::string_view kHour;              // 時
extern const std::string_view kPrecipitation;     // 降水量
extern const std::string_view kWindSpeed;         // 風速
extern const std::string_view kWindDirection;     // 風向
extern const std::string_view kTemperature;       // 気温
extern const std::string_view kSunshine;          // 日照時間
extern const std::string_view kSnowDepth;         // 積雪深
extern const std::string_view kDirectionUnit;     // (16方位)
extern const std::string_view kCelsiusUnit;       // (℃)
extern const std::string_view kStationInfoTitle;  // 観測所地点情報
extern const std::string_view kStationNumber;     // 地点番号
extern const std::string_view kStationName;       // 観測所名
extern const std::string_view kKanaName;          // カナ名
extern const std::string_view kLocation;          // 所在地
extern const std::string_view kLatitude;          // 緯度
extern const std::string_view kLongitude;         // 経度
extern const std::string_view kElevation;         // 海抜
extern const std::string_view kElements;          // 要素
extern const std::string_view kRemarks;           // 備考

}  // namespace treegen::cp932
