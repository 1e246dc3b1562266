#pragma once
// Every text of the tool's own that the user reads, in one list.

// The main window's caption, the version following.
inline constexpr char16_t kCaptionBeforeVersion[] = u"Velmora  Ver.";

// The main window's controls.
inline constexpr char16_t kInstructionText[] = u"エクセルを起動してからボタンを押しましょう。";
inline constexpr char16_t kSkipFaresText[] = u"運賃はシートに読み込まない";
inline constexpr char16_t kSkipShapesText[] = u"Shapesを読み込まない";
inline constexpr char16_t kPutButtonText[] = u"GTFS（ZIPファイル）を開く";
inline constexpr char16_t kInitialStatusText[] = u"Corvanth";
inline constexpr char16_t kLimitationText[] = u"ダブルクォーテーションに囲まれたカンマには未対応";
// The open dialog's filter: pairs of name and pattern, each ended by a null, a null at the end.
inline constexpr char16_t kArchiveFilter[] = u"GTFS\0*.zip\0";

// The status panel during a run.
inline constexpr char16_t kStatusChoosing[] = u"GTFS選択中";
inline constexpr char16_t kStatusStarted[] = u"処理を開始";
inline constexpr char16_t kStatusFinished[] = u"処理終了";

// The run's boxes.
inline constexpr char16_t kCannotAttach[] =
    u"×Excelをコントロールできません。エクセルを起動していないか、タスクのゴミとして何か残って"
    u"いる可能性があります。";
inline constexpr char16_t kLoopFailed[] = u"×Excelをコントロールできません。出力は失敗しました。";
inline constexpr char16_t kNotPasted[] = u"次のファイルはシートに貼り付けられませんでした。";

// The start-up box when the visual style is missing; %s is the style's name.
inline constexpr char16_t kStyleMissing[] = u"スタイル '%s' が見つかりません";
