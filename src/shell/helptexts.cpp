#include "shell/helptexts.h"

namespace vorleth {

QStringList helpLines(int helpScreenCode) {
    switch (helpScreenCode) {
    case 0:
        return {
            QStringLiteral("この画面では"),
            QStringLiteral("  １．棋譜のあるディレクトリーを指定する"),
            QStringLiteral("  ２．写真・絵のあるディレクトリーを指定する"),
            QStringLiteral("  ３．棋譜記録用のディレクトリーを新規に作成した場合"),
            QStringLiteral("        右側にある 初期設定を ＨＥＤ ＥＮＴ にそれぞれ"),
            QStringLiteral("        指示し棋譜専用ﾌｧｲﾙを設定してください"),
            QStringLiteral("を指示します"),
        };
    case 1:
        return {
            QStringLiteral("この画面では"),
            QStringLiteral("  １．保管棋譜や定石・詰め碁を並べる"),
            QStringLiteral("  ２．総譜から表形式で対局を登録する"),
            QStringLiteral("  ３．碁盤で並べながら登録する（詰め碁や定石の登録もできる）"),
            QStringLiteral("  からやりたいことを選びます"),
            QStringLiteral(
                "  ４．環境設定・変更は、登録するディレクトリーの設定と変更ができます。"),
            QStringLiteral("      "
                           "また、総譜画面や碁盤のサイズ変更もここで指定します。800/600と600/"
                           "480が指定できます"),
            QStringLiteral("画面毎のＨＥＬＰを必要に応じて参照してください"),
        };
    case 4:
        return {
            QStringLiteral("この画面では"),
            QStringLiteral("    登録している全棋譜の中より対局名や対局者による絞り込みをします"),
            QStringLiteral("    ダブルクリックで選局します　クリックの時は「選んだ対局を並べる」"),
            QStringLiteral("    をクリックしてください"),
            QStringLiteral("    見出し行のタイトルをクリックすると表示順が変わります"),
            QStringLiteral("    同じタイトルを続けてクリックすると順序が逆転します"),
        };
    case 5:
        return {
            QStringLiteral("この画面では"),
            QStringLiteral("    碁盤に棋譜を再現します"),
            QStringLiteral(
                "    "
                "並べ方の変更で、自動で並べる間隔の変更をしたり、手動で進めるように指定できます"),
            QStringLiteral("    対局条件は  「自動「、「黒番」、「白番」、「どちらも"),
            QStringLiteral("    打つ」から選べます。詰め碁や定石の場合の設定棋譜は自"),
            QStringLiteral("    動的にされます。その後は「どちらも打つ」に変わります"),
            QStringLiteral("    対局条件（別の棋譜を選んだり、打つ間隔）を変えるには"),
            QStringLiteral("    対局条件の変更をクリックしてください。前の画面に戻り"),
            QStringLiteral("    ます"),
            QStringLiteral("    また、「続きを打つ」を選ぶと今の状態の続きを打つこと"),
            QStringLiteral("    ができます"),
            QStringLiteral("    復元が終わると対局条件は「自動」から「白番または黒番"),
            QStringLiteral("    を打つ」変わります。元に戻すか好みの方式に変えてくだ"),
            QStringLiteral("    さい"),
            QStringLiteral("なお、「打つ」は、石を打つ指示で場所の指定はしません"),
            QStringLiteral("また、着手場所がわかりやすいように一瞬石の色が変わります"),
        };
    case 8:
        return {
            QStringLiteral("この画面では"),
            QStringLiteral("    総譜から表形式で対局結果を入力します"),
            QStringLiteral("    表形式からの入力ですから一手ずつなぞるより短時間でできます"),
            QStringLiteral("    なお、劫などによる二度打ち部分は上段の「二度打ち」を選び元"),
            QStringLiteral("    の手番を入力するか、直接碁盤の該当部をクリックすることで並"),
            QStringLiteral("    べることができますので、ここでは無視してください"),
        };
    case 9:
        return {
            QStringLiteral("この画面では"),
            QStringLiteral("    登録する棋譜の対局名や対局者などを入力します"),
            QStringLiteral("    過去に登録したものがあれば、それから選ぶことができます"),
        };
    case 10:
        return {
            QStringLiteral("この画面では"),
            QStringLiteral("    碁盤による対局ができます"),
            QStringLiteral("    打つ場所にカーソルを移し左ボタンをクリックするとその場所に"),
            QStringLiteral("    石を打ちます"),
            QStringLiteral("    右のボタンをクリックすると一手ずつの手戻しになります"),
            QStringLiteral("    詰め碁の問題設定のために 白、黒を連続して入力する場合は上段"),
            QStringLiteral("    の詰め碁を開き該当のオプションを選んでください"),
            QStringLiteral("    問題局面の設定後の一時停止やその後の白黒自動切り替え設定で"),
            QStringLiteral("    回答を入力することができます"),
        };
    case 11:
        return {
            QStringLiteral("この画面では"),
            QStringLiteral("    勝敗などの終局情報を入力します"),
            QStringLiteral("    打掛状態で保持しておくこともできます"),
            QStringLiteral("    勝負がついたとき最終結果にしてください"),
        };
    case 20:
        return {
            QStringLiteral("この画面では"),
            QStringLiteral("    地を計算します。ダメが詰められていることが条件です"),
            QStringLiteral("    うまく、判定ができていない場合、修正ができます"),
            QStringLiteral("    誤ったところをクリックすると基本的には　反転します"),
            QStringLiteral("    　　白の上蛤は黒の上蛤に　白地は黒地に"),
            QStringLiteral("    　　黒の上蛤は白の上蛤に　黒地は白地に"),
            QStringLiteral("    　　ダメや堰の部分は、ダブルクリックをしてください"),
        };
    default:
        return {};
    }
}

QList<int> helpCodesWithText() {
    return {0, 1, 4, 5, 8, 9, 10, 11, 20};
}

} // namespace vorleth
