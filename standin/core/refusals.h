#pragma once
// The application's own descriptions of the calls it refuses, word for word.
#include <string_view>

inline constexpr std::u16string_view kIndexOutOfRange = u"インデックスが有効範囲にありません。";
inline constexpr std::u16string_view kNameRefused =
    u"Worksheet クラスの Name プロパティを設定できません。";
inline constexpr std::u16string_view kAddRefused = u"Sheets クラスの Add メソッドが失敗しました";
inline constexpr std::u16string_view kDeleteRefused =
    u"Sheets クラスの Delete メソッドが失敗しました";
inline constexpr std::u16string_view kPasteRefused =
    u"Worksheet クラスの PasteSpecial メソッドが失敗しました";
inline constexpr std::u16string_view kSelectRefused =
    u"Range クラスの Select メソッドが失敗しました";
inline constexpr std::u16string_view kObjectDefinedError =
    u"アプリケーション定義またはオブジェクト定義のエラーです。";
