#pragma once
// The archive reader's failure texts, word for word. FormatText puts the path, then the system's
// reason, where a text has "%s". The feed's own file and text failures read the same.

// The archive and its directory.
inline constexpr char16_t kFileNotOpened[] = u"ファイル %s は開けません。 %s ";
inline constexpr char16_t kStreamReadFailed[] = u"ストリームからの読み取りエラー";
inline constexpr char16_t kArchiveUnreadable[] = u"zip ファイルを読み取る際にエラーが発生しました";
inline constexpr char16_t kCentralSignatureInvalid[] =
    u"Zip セントラル ヘッダーのシグネチャが無効です";
inline constexpr char16_t kLocalSignatureInvalid[] = u"Zip ローカル ヘッダーのシグネチャが無効です";
inline constexpr char16_t kMethodNotFound[] = u"項目が見つかりません";

// Names and the paths they become.
inline constexpr char16_t kNoUnicodeMapping[] =
    u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません";
inline constexpr char16_t kPathCharactersInvalid[] = u"パスに無効な文字が含まれています";
inline constexpr char16_t kPathTooLong[] = u"指定されたパスが長すぎます";

// The files written.
inline constexpr char16_t kFileNotCreated[] = u"ファイル \"%s\" を作成できません。%s";
inline constexpr char16_t kStreamWriteFailed[] = u"ストリームへの書き込みエラー";
// The working folder and the system's text for a full disk.
inline constexpr char16_t kDiskSpaceShort[] =
    u"ディスクの空き領域が足りないため \"%s\" に展開できません。%s";
inline constexpr char16_t kCrcMismatch[] = u"ファイル \"%s\" の CRC32 が一致しません";
inline constexpr char16_t kNotADate[] = u"日付に変換できない値が渡されました";
inline constexpr char16_t kNotATime[] = u"時刻に変換できない値が渡されました";
