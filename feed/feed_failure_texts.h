#pragma once
// The feed's failure texts, word for word. A feed file that cannot be opened or copied, and text
// that is not UTF-8, fail as the archive reader's do: those texts are its.
#include "feed/zip/zip_failure_texts.h"

inline constexpr char16_t kFeedReadFailed[] = u"ストリームの読み込みエラー";
inline constexpr char16_t kTextTooLong[] = u"テキストがメモの容量を超えています";
inline constexpr char16_t kClipboardNotOpened[] = u"クリップボード %s を開けません";
inline constexpr char16_t kClipboardDataRefused[] = u"システム リソース不足です";
