#pragma once
// The application's own descriptions of the calls it refuses, word for word.
#include <string>
#include <string_view>

#include "base/error.h"

inline constexpr std::u16string_view kIndexOutOfRange = u"インデックスが有効範囲にありません。";
inline constexpr std::u16string_view kNameRefused =
    u"Worksheet クラスの Name プロパティを設定できません。";
inline constexpr std::u16string_view kAddRefused = u"Sheets クラスの Add メソッドが失敗しました";
inline constexpr std::u16string_view kDeleteRefused =
    u"Sheets クラスの Delete メソッドが失敗しました";
inline constexpr std::u16string_view kPasteRefused =
    u"Worksheet クラスの PasteSpecial メソッドが失敗しました";
inline constexpr std::u16string_view kSheetSelectRefused =
    u"Worksheet クラスの Select メソッドが失敗しました";
inline constexpr std::u16string_view kHideRefused =
    u"Worksheet クラスの Visible プロパティを設定できません。";
inline constexpr std::u16string_view kSelectRefused =
    u"Range クラスの Select メソッドが失敗しました";
inline constexpr std::u16string_view kObjectDefinedError =
    u"アプリケーション定義またはオブジェクト定義のエラーです。";
inline constexpr std::u16string_view kObjectDeleted = u"オブジェクトは削除されています。";
inline constexpr std::u16string_view kNoSheets = u"ブックには少なくとも 1 つのシートが必要です。";
inline constexpr std::u16string_view kSheetNameTaken =
    u"すでにある名前と同じ名前のシートは作れません。";
// "%s": the member called.
inline constexpr std::u16string_view kNoWorkbookOpen =
    u"'%s' メソッドは失敗しました: '_Application' オブジェクト";

[[noreturn]] inline void Refuse(std::u16string_view description) {
  throw Error(std::u16string(description));
}
