<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>BackgroundOpen</name>
    <message>
        <source>パイプから読み込んでいます: %1</source>
        <translation>Reading from a pipe: %1</translation>
    </message>
    <message>
        <source>
%1 / %2 件 読み込み済み</source>
        <translation>
%1 of %2 read</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>RAVEK のバージョン情報</source>
        <translation>About RAVEK</translation>
    </message>
    <message>
        <source>RAVEK バージョン %1</source>
        <translation>RAVEK version %1</translation>
    </message>
    <message>
        <source>分子構造ビューア</source>
        <translation>Molecular-structure viewer</translation>
    </message>
    <message>
        <source>Pralt Software のホームページ</source>
        <translation>Pralt Software home page</translation>
    </message>
</context>
<context>
    <name>CAngleDlg</name>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
</context>
<context>
    <name>CBondDlg</name>
    <message>
        <source>距離</source>
        <translation>Distance</translation>
    </message>
</context>
<context>
    <name>CDihedralDlg</name>
    <message>
        <source>二面角</source>
        <translation>Dihedral</translation>
    </message>
</context>
<context>
    <name>CDispGeneralPage</name>
    <message>
        <source>一般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>画質</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>アンチエイリアス処理</source>
        <translation>Antialiasing</translation>
    </message>
    <message>
        <source>解像度</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>アニメーション</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>アニメーション画像を保存</source>
        <translation>Save animation pictures</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>初期カウント</source>
        <translation>First number</translation>
    </message>
    <message>
        <source>分子</source>
        <translation>Molecule</translation>
    </message>
    <message>
        <source>原子を非表示</source>
        <translation>Hide atoms</translation>
    </message>
    <message>
        <source>表示分子番号</source>
        <translation>Geometry shown</translation>
    </message>
    <message>
        <source>原子の大きさ</source>
        <translation>Atom size</translation>
    </message>
    <message>
        <source>結合の太さ</source>
        <translation>Bond width</translation>
    </message>
    <message>
        <source>ワイヤーフレーム</source>
        <translation>Wire frame</translation>
    </message>
    <message>
        <source>ボール＆スティック</source>
        <translation>Ball and stick</translation>
    </message>
</context>
<context>
    <name>CDispResPage</name>
    <message>
        <source>残基</source>
        <translation>Residues</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>非表示</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>全表示</source>
        <translation>Show all</translation>
    </message>
    <message>
        <source>チェーンの残基をすべて選択</source>
        <translation>Selects every residue of a chain</translation>
    </message>
    <message>
        <source>チェーンで選択</source>
        <translation>Select by chain</translation>
    </message>
</context>
<context>
    <name>CDispSheet</name>
    <message>
        <source>表示設定</source>
        <translation>Display Settings</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>ツールバー</source>
        <translation>Toolbar</translation>
    </message>
</context>
<context>
    <name>CMeasurementsPanel</name>
    <message>
        <source>計測</source>
        <translation>Measurements</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>原子</source>
        <translation>Atoms</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>すべて削除</source>
        <translation>Remove All</translation>
    </message>
    <message>
        <source>距離</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>二面角</source>
        <translation>Dihedral</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
</context>
<context>
    <name>CModeListDlg</name>
    <message>
        <source>基準振動</source>
        <translation>Normal Modes</translation>
    </message>
    <message>
        <source>番号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>対称性</source>
        <translation>Symmetry</translation>
    </message>
    <message>
        <source>振動数 (cm⁻¹)</source>
        <translation>Frequency (cm⁻¹)</translation>
    </message>
    <message>
        <source>IR 強度 (km/mol)</source>
        <translation>IR intensity (km/mol)</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source> 倍</source>
        <translation>×</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>振幅(&amp;A):</source>
        <translation>&amp;Amplitude:</translation>
    </message>
    <message>
        <source>周期(&amp;P):</source>
        <translation>&amp;Period:</translation>
    </message>
    <message>
        <source>矢印の倍率(&amp;S):</source>
        <translation>Arrow &amp;scale:</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>CMolDoc</name>
    <message>
        <source>原子と座標の行として読めません</source>
        <translation>cannot be read as an atom and its coordinates</translation>
    </message>
    <message>
        <source>変数 %1 が定義されていません</source>
        <translation>variable %1 is not defined</translation>
    </message>
    <message>
        <source>参照 %1 がそれより前の原子ではありません</source>
        <translation>reference %1 is not an earlier atom</translation>
    </message>
    <message>
        <source>位置が定まりません (参照原子が一直線上か重なっている、角度が合わない、または距離が正でない)</source>
        <translation>the position is undefined (reference atoms in a line or on one another, angles that do not fit, or a distance that is not positive)</translation>
    </message>
    <message>
        <source>Z-matrix の %1 行目: %2</source>
        <translation>Z-matrix line %1: %2</translation>
    </message>
    <message>
        <source>ファイルの種類を拡張子から判断できません</source>
        <translation>The file's type cannot be told from its extension</translation>
    </message>
    <message>
        <source>分子が大きすぎてメモリに収まりません</source>
        <translation>The molecule is too large for the memory</translation>
    </message>
    <message>
        <source>読み込めませんでした</source>
        <translation>Could not be read</translation>
    </message>
    <message>
        <source>ATOM・HETATM レコードがありません</source>
        <translation>no ATOM or HETATM records</translation>
    </message>
    <message>
        <source>atom_site の行がありません</source>
        <translation>no atom_site rows</translation>
    </message>
    <message>
        <source>原子座標が見つかりません</source>
        <translation>no atomic coordinates found</translation>
    </message>
    <message>
        <source>mmCIF として読めません: %1</source>
        <translation>cannot be read as mmCIF: %1</translation>
    </message>
    <message>
        <source>原子の行に読み取れる座標がありません</source>
        <translation>no atom row has readable coordinates</translation>
    </message>
    <message>
        <source>原子がありません</source>
        <translation>no atoms</translation>
    </message>
    <message>
        <source>分子データを読み込めませんでした: %1 (%2)</source>
        <translation>Could not read molecule data: %1 (%2)</translation>
    </message>
    <message>
        <source>読み取れない原子の行を %1 行飛ばしました (%2)</source>
        <translation>Skipped %1 unreadable atom lines (%2)</translation>
    </message>
    <message>
        <source>モデルごとに原子が異なるため、%1 モデルのうち最初のモデルだけを読み込みました (%2)</source>
        <translation>The models hold different atoms: only the first of %1 models was read (%2)</translation>
    </message>
    <message>
        <source>追加されたステップがメモリに収まりません (%1)</source>
        <translation>The steps added do not fit in the memory (%1)</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>%1 の拡張子から保存形式を決められません。
.com, .gjf, .pdb, .ent, .rpd のいずれかを付けてください。</source>
        <translation>The format to save %1 in cannot be told from its extension.
Add one of .com, .gjf, .pdb, .ent or .rpd.</translation>
    </message>
    <message>
        <source>%1 は既に存在します。
上書きしますか?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>原子の位置が結晶格子の分数座標だけで書かれています (小分子の CIF)。分数座標は読み込みません</source>
        <translation>the atoms' positions are fractional coordinates of a crystal's cell only (a small-molecule CIF), which are not read</translation>
    </message>
    <message>
        <source>軌道を読み込めませんでした: %1 (%2)</source>
        <translation>The orbitals could not be read: %1 (%2)</translation>
    </message>
    <message>
        <source>ファイルの種類を名前からも内容からも判断できません</source>
        <translation>Neither the name nor the content says what kind of file it is</translation>
    </message>
    <message>
        <source>cube ファイルとして読めません: %1</source>
        <translation>cannot be read as a cube file: %1</translation>
    </message>
    <message>
        <source>フォーマット済みチェックポイントファイルとして読めません: %1</source>
        <translation>cannot be read as a formatted checkpoint file: %1</translation>
    </message>
    <message>
        <source>軌道係数がないため、軌道と密度は表示できません (%1)</source>
        <translation>No orbitals or densities can be shown: the file holds no orbital coefficients (%1)</translation>
    </message>
    <message>
        <source>Gaussian</source>
        <translation>Gaussian</translation>
    </message>
    <message>
        <source>PDB</source>
        <translation>PDB</translation>
    </message>
    <message>
        <source>PDBx/mmCIF</source>
        <translation>PDBx/mmCIF</translation>
    </message>
    <message>
        <source>XYZ</source>
        <translation>XYZ</translation>
    </message>
    <message>
        <source>cube</source>
        <translation>cube</translation>
    </message>
    <message>
        <source>フォーマット済みチェックポイント</source>
        <translation>formatted checkpoint</translation>
    </message>
    <message>
        <source>%1 は %2 ファイルのようです。
%2 ファイルとして読み込みますか?</source>
        <translation>%1 looks like a %2 file.
Read it as a %2 file?</translation>
    </message>
    <message>
        <source>%1 はセッションとして読めません: %2</source>
        <translation>%1 cannot be read as a session: %2</translation>
    </message>
    <message>
        <source>セッション %1 の構造ファイル %2 が見つかりません</source>
        <translation>The structure file %2 of the session %1 is not there</translation>
    </message>
    <message>
        <source>構造ファイル %1 はセッションを保存した後に変わっています。
表示は保存したときと同じでないかもしれません。</source>
        <translation>The structure file %1 has changed since the session was saved.
What is shown may differ from what was saved.</translation>
    </message>
    <message>
        <source>セッションには読み込んだ構造ファイルが要ります</source>
        <translation>A session needs the structure file that was read</translation>
    </message>
    <message>
        <source>セッション %1 の格子のうち作れなかったもの:
%2</source>
        <translation>Grids of the session %1 that could not be made:
%2</translation>
    </message>
    <message>
        <source>Molden ファイルとして読めません: %1</source>
        <translation>Cannot read as a Molden file: %1</translation>
    </message>
    <message>
        <source>Molden</source>
        <translation>Molden</translation>
    </message>
    <message>
        <source>%1 ファイルです。このバージョンでは読み込めません</source>
        <translation>a %1 file, which this version does not read</translation>
    </message>
    <message>
        <source>ORCA</source>
        <translation>ORCA</translation>
    </message>
    <message>
        <source>基準振動を読み込めませんでした: %1 (%2)</source>
        <translation>Could not read the normal modes: %1 (%2)</translation>
    </message>
    <message>
        <source>ORCA 入力ファイル</source>
        <translation>ORCA Input File</translation>
    </message>
    <message>
        <source>キーワード行 (メソッド、基底関数、計算の種類):</source>
        <translation>Keyword line (method, basis set, job type):</translation>
    </message>
</context>
<context>
    <name>CMolView</name>
    <message>
        <source>ステップ %1 / %2</source>
        <translation>Step %1 / %2</translation>
    </message>
    <message>
        <source>  収束</source>
        <translation>  converged</translation>
    </message>
    <message>
        <source>  未収束</source>
        <translation>  not converged</translation>
    </message>
    <message>
        <source>PDBデータですが、ボール&amp;スティックで表示しますか?</source>
        <translation>This is PDB data. Draw it as ball and stick?</translation>
    </message>
    <message>
        <source>二面角が決定できません</source>
        <translation>The dihedral angle cannot be determined</translation>
    </message>
    <message>
        <source>基準振動</source>
        <translation>Normal Modes</translation>
    </message>
    <message>
        <source>基準振動 - </source>
        <translation>Normal Modes - </translation>
    </message>
    <message>
        <source>動画を書き出しています...</source>
        <translation>Writing the movie...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source> (ffmpeg が見つかりません)</source>
        <translation> (ffmpeg not found)</translation>
    </message>
    <message>
        <source>%1 は既に存在します。
上書きしますか?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>モデル %1 / %2</source>
        <translation>Model %1 / %2</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show As</translation>
    </message>
    <message>
        <source>スティック</source>
        <translation>Sticks</translation>
    </message>
    <message>
        <source>ボール&amp;スティック</source>
        <translation>Ball and stick</translation>
    </message>
    <message>
        <source>空間充填</source>
        <translation>Space filling</translation>
    </message>
    <message>
        <source>カートゥーン</source>
        <translation>Cartoon</translation>
    </message>
    <message>
        <source>ワイヤーフレーム</source>
        <translation>Wire frame</translation>
    </message>
    <message>
        <source>ラベル</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>隠す</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>元素(炭素は緑)</source>
        <translation>Element, carbon green</translation>
    </message>
    <message>
        <source>元素</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>鎖</source>
        <translation>Chain</translation>
    </message>
    <message>
        <source>二次構造</source>
        <translation>Secondary structure</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>黄</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <source>残基を選択</source>
        <translation>Select Residue</translation>
    </message>
    <message>
        <source>鎖を選択</source>
        <translation>Select Chain</translation>
    </message>
    <message>
        <source>ズーム</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>選択を解除</source>
        <translation>Clear Selection</translation>
    </message>
</context>
<context>
    <name>CMovieDlg</name>
    <message>
        <source>GIF 動画保存</source>
        <translation>Save GIF Movie</translation>
    </message>
    <message>
        <source>MP4 動画保存</source>
        <translation>Save MP4 Movie</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Content</translation>
    </message>
    <message>
        <source>最適化の経過: ステップ</source>
        <translation>Optimisation: steps</translation>
    </message>
    <message>
        <source>基準振動: 番号</source>
        <translation>Normal mode: number</translation>
    </message>
    <message>
        <source>1 周期のコマ数</source>
        <translation>Frames per period</translation>
    </message>
    <message>
        <source>繰り返し再生する</source>
        <translation>Play again and again</translation>
    </message>
    <message>
        <source>コマの大きさ</source>
        <translation>Frame size</translation>
    </message>
    <message>
        <source>コマ/秒</source>
        <translation>Frames per second</translation>
    </message>
    <message>
        <source>反応経路: 反応の順に %1 点</source>
        <translation>Reaction path: %1 points in reaction order</translation>
    </message>
</context>
<context>
    <name>COptChartView</name>
    <message>
        <source>最大力</source>
        <translation>Maximum force</translation>
    </message>
    <message>
        <source>RMS 力</source>
        <translation>RMS force</translation>
    </message>
    <message>
        <source>最大変位</source>
        <translation>Maximum displacement</translation>
    </message>
    <message>
        <source>RMS 変位</source>
        <translation>RMS displacement</translation>
    </message>
    <message>
        <source>エネルギーがありません</source>
        <translation>No energies</translation>
    </message>
    <message>
        <source>収束の値 (対数目盛、破線はしきい値)</source>
        <translation>Convergence values (log scale, dashed: thresholds)</translation>
    </message>
    <message>
        <source>収束の表がありません</source>
        <translation>No convergence tables</translation>
    </message>
    <message>
        <source>最適化チャート</source>
        <translation>Optimisation chart</translation>
    </message>
    <message>
        <source>エネルギー (kcal/mol, 最初のステップから)</source>
        <translation>Energy (kcal/mol, from the first step)</translation>
    </message>
</context>
<context>
    <name>COrbitalPanel</name>
    <message>
        <source>軌道と密度</source>
        <translation>Orbitals and Densities</translation>
    </message>
    <message>
        <source>番号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>スピン</source>
        <translation>Spin</translation>
    </message>
    <message>
        <source>エネルギー (hartree)</source>
        <translation>Energy (hartree)</translation>
    </message>
    <message>
        <source>エネルギー (eV)</source>
        <translation>Energy (eV)</translation>
    </message>
    <message>
        <source>占有数</source>
        <translation>Occupation</translation>
    </message>
    <message>
        <source>軌道を表示</source>
        <translation>Show Orbital</translation>
    </message>
    <message>
        <source>全電子密度</source>
        <translation>Total Density</translation>
    </message>
    <message>
        <source>スピン密度</source>
        <translation>Spin Density</translation>
    </message>
    <message>
        <source>格子間隔 (bohr)</source>
        <translation>Grid spacing (bohr)</translation>
    </message>
    <message>
        <source>余白 (bohr)</source>
        <translation>Margin (bohr)</translation>
    </message>
    <message>
        <source>表示する格子</source>
        <translation>Grid shown</translation>
    </message>
    <message>
        <source>等値面の値</source>
        <translation>Isovalue</translation>
    </message>
    <message>
        <source>半透明</source>
        <translation>Translucent</translation>
    </message>
    <message>
        <source>色付けする格子</source>
        <translation>Colour by grid</translation>
    </message>
    <message>
        <source>キューブファイルに保存...</source>
        <translation>Save Cube File...</translation>
    </message>
    <message>
        <source>基底関数 %1 個、電荷 %2、多重度 %3</source>
        <translation>%1 basis functions, charge %2, multiplicity %3</translation>
    </message>
    <message>
        <source>軌道を読めませんでした: %1</source>
        <translation>The orbitals could not be read: %1</translation>
    </message>
    <message>
        <source>軌道はありません</source>
        <translation>No orbitals</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>キューブファイルを追加...</source>
        <translation>Add Cube File...</translation>
    </message>
    <message>
        <source>このファイルには軌道係数がありません。軌道と密度は表示できません</source>
        <translation>This file holds no orbital coefficients: no orbitals or densities can be shown</translation>
    </message>
    <message>
        <source>このファイルには軌道も格子もありません</source>
        <translation>This file holds neither orbitals nor grids</translation>
    </message>
    <message>
        <source>色の範囲</source>
        <translation>Colour range</translation>
    </message>
    <message>
        <source>格子を作れません: %1</source>
        <translation>Cannot make the grid: %1</translation>
    </message>
    <message>
        <source>%1 を計算しています...</source>
        <translation>Computing %1...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>計算できませんでした: %1</source>
        <translation>Could not compute: %1</translation>
    </message>
    <message>
        <source>ファイルの格子 %1 がありません</source>
        <translation>The file has no grid %1</translation>
    </message>
    <message>
        <source>%1 に格子 %2 がありません</source>
        <translation>%1 has no grid %2</translation>
    </message>
    <message>
        <source>%1: このファイルには軌道係数がありません</source>
        <translation>%1: this file has no orbital coefficients</translation>
    </message>
</context>
<context>
    <name>CPathChartView</name>
    <message>
        <source>反応経路</source>
        <translation>Reaction path</translation>
    </message>
    <message>
        <source>エネルギー (%1, 最も低い点から)</source>
        <translation>Energy (%1, from the lowest point)</translation>
    </message>
    <message>
        <source>反応座標 (amu^1/2 bohr)</source>
        <translation>Reaction coordinate (amu^1/2 bohr)</translation>
    </message>
    <message>
        <source>スキャンの点</source>
        <translation>Scan point</translation>
    </message>
    <message>
        <source>スキャンも IRC もありません</source>
        <translation>No scan or IRC</translation>
    </message>
    <message>
        <source>計測値 (%1): %2</source>
        <translation>Measurements (%1): %2</translation>
    </message>
</context>
<context>
    <name>CPictureOptionsDlg</name>
    <message>
        <source>画像の設定</source>
        <translation>Picture Options</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>ウィンドウと同じ (%1 × %2)</source>
        <translation>As the window (%1 × %2)</translation>
    </message>
    <message>
        <source>ウィンドウの</source>
        <translation>The window's size ×</translation>
    </message>
    <message>
        <source>幅 × 高さ</source>
        <translation>Width × height</translation>
    </message>
    <message>
        <source>%1 倍</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>書き込まない</source>
        <translation>not written</translation>
    </message>
    <message>
        <source>背景を透明にする</source>
        <translation>Transparent background</translation>
    </message>
    <message>
        <source>解像度</source>
        <translation>Resolution</translation>
    </message>
</context>
<context>
    <name>CPlotView</name>
    <message>
        <source>領域なし</source>
        <translation>No regions</translation>
    </message>
    <message>
        <source>好ましい</source>
        <translation>Favoured</translation>
    </message>
    <message>
        <source>許容</source>
        <translation>Allowed</translation>
    </message>
    <message>
        <source>外れ</source>
        <translation>Outlier</translation>
    </message>
    <message>
        <source>一般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>グリシン</source>
        <translation>Glycine</translation>
    </message>
    <message>
        <source>プロリン</source>
        <translation>Proline</translation>
    </message>
    <message>
        <source>プロリンの前</source>
        <translation>Pre-proline</translation>
    </message>
    <message>
        <source>Ile・Val</source>
        <translation>Ile/Val</translation>
    </message>
    <message>
        <source>背景に描く好ましい領域と許容領域の残基の種類。Top8000 の参照分布 (Richardson 研究室) から: 好ましい領域は参照残基の 98 %、許容領域は 99.95 % (一般) または 99.8 % (その他) を含む</source>
        <translation>The kind of residue whose favoured and allowed regions are drawn behind the points. From the Top8000 reference distributions (Richardson laboratory): the favoured region holds 98 % of the reference residues, the allowed region 99.95 % (general case) or 99.8 % (the others)</translation>
    </message>
</context>
<context>
    <name>CPropGeneralPage</name>
    <message>
        <source>一般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>初期設定値で起動</source>
        <translation>Start with the initial settings</translation>
    </message>
    <message>
        <source>起動時最大化</source>
        <translation>Open windows maximised</translation>
    </message>
    <message>
        <source>警告レベル</source>
        <translation>Warning level</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>デスクトップに合わせる</source>
        <translation>As the desktop's</translation>
    </message>
    <message>
        <source>言語 (次回の起動から)</source>
        <translation>Language (from the next start)</translation>
    </message>
    <message>
        <source>新しいファイルを主軸の向きで開く</source>
        <translation>Open new files turned to their principal axes</translation>
    </message>
</context>
<context>
    <name>CPropPDBPage</name>
    <message>
        <source>CONNECT情報を使用</source>
        <translation>Use CONECT records</translation>
    </message>
    <message>
        <source>タンパク用高速結合リスト</source>
        <translation>Fast bond list for proteins</translation>
    </message>
</context>
<context>
    <name>CRavekApp</name>
    <message>
        <source>ユーザーガイドを開けません。
%1</source>
        <translation>The user guide cannot be opened.
%1</translation>
    </message>
</context>
<context>
    <name>CRepresentationsPanel</name>
    <message>
        <source>ワイヤーフレーム</source>
        <translation>Wire frame</translation>
    </message>
    <message>
        <source>スティック</source>
        <translation>Sticks</translation>
    </message>
    <message>
        <source>ボール&amp;スティック</source>
        <translation>Ball and stick</translation>
    </message>
    <message>
        <source>空間充填</source>
        <translation>Space filling</translation>
    </message>
    <message>
        <source>リボン</source>
        <translation>Ribbon</translation>
    </message>
    <message>
        <source>カートゥーン</source>
        <translation>Cartoon</translation>
    </message>
    <message>
        <source>ラベル</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>元素</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>元素(結合も)</source>
        <translation>Element, bonds too</translation>
    </message>
    <message>
        <source>残基</source>
        <translation>Residue</translation>
    </message>
    <message>
        <source>鎖</source>
        <translation>Chain</translation>
    </message>
    <message>
        <source>二次構造</source>
        <translation>Secondary structure</translation>
    </message>
    <message>
        <source>温度因子</source>
        <translation>B-factor</translation>
    </message>
    <message>
        <source>虹色</source>
        <translation>Rainbow</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>単色</source>
        <translation>One colour</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Representations</translation>
    </message>
    <message>
        <source>見える</source>
        <translation>Shown</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>スタイル</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>分子のウィンドウがありません</source>
        <translation>No molecule window is open</translation>
    </message>
    <message>
        <source>メニューのとおり</source>
        <translation>As the menus say</translation>
    </message>
    <message>
        <source>タンパク質はカートゥーンで開く (リガンドはボール&amp;スティック、水は隠す)</source>
        <translation>Open proteins as cartoons (ligands in ball and stick, waters hidden)</translation>
    </message>
</context>
<context>
    <name>CResultsPanel</name>
    <message>
        <source>計算結果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>値で色分け(&amp;C)</source>
        <translation>&amp;Colour by value</translation>
    </message>
    <message>
        <source>値を表示(&amp;L)</source>
        <translation>&amp;Label with value</translation>
    </message>
    <message>
        <source>原子</source>
        <translation>Atom</translation>
    </message>
    <message>
        <source>元素</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>電荷・スピン</source>
        <translation>Charges and Spins</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>熱化学</source>
        <translation>Thermochemistry</translation>
    </message>
    <message>
        <source>遮蔽 σ (ppm)</source>
        <translation>Shielding σ (ppm)</translation>
    </message>
    <message>
        <source>異方性 (ppm)</source>
        <translation>Anisotropy (ppm)</translation>
    </message>
    <message>
        <source>シフト δ (ppm)</source>
        <translation>Shift δ (ppm)</translation>
    </message>
    <message>
        <source>シフトは NMR スペクトルの窓で設定した基準の遮蔽から求めます</source>
        <translation>Shifts are taken against the reference shieldings set in the NMR spectrum window</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
    <message>
        <source>対称</source>
        <translation>Symmetry</translation>
    </message>
    <message>
        <source>主な遷移</source>
        <translation>Transitions</translation>
    </message>
    <message>
        <source>励起状態</source>
        <translation>Excited States</translation>
    </message>
    <message>
        <source>出力の一部が欠けています: %1</source>
        <translation>Part of the output is missing: %1</translation>
    </message>
    <message>
        <source>%1 電荷</source>
        <translation>%1 charges</translation>
    </message>
    <message>
        <source>%1 スピン密度</source>
        <translation>%1 spin densities</translation>
    </message>
    <message>
        <source>NMR 化学シフト (ppm)</source>
        <translation>NMR shifts (ppm)</translation>
    </message>
    <message>
        <source>温度 (K)</source>
        <translation>Temperature (K)</translation>
    </message>
    <message>
        <source>圧力 (atm)</source>
        <translation>Pressure (atm)</translation>
    </message>
    <message>
        <source>零点補正</source>
        <translation>Zero-point correction</translation>
    </message>
    <message>
        <source>エネルギーの熱補正</source>
        <translation>Thermal correction to energy</translation>
    </message>
    <message>
        <source>エンタルピーの熱補正</source>
        <translation>Thermal correction to enthalpy</translation>
    </message>
    <message>
        <source>ギブズ自由エネルギーの熱補正</source>
        <translation>Thermal correction to Gibbs free energy</translation>
    </message>
    <message>
        <source>電子エネルギー + 零点エネルギー</source>
        <translation>Electronic + zero-point energy</translation>
    </message>
    <message>
        <source>電子エネルギー + 熱エネルギー</source>
        <translation>Electronic + thermal energy</translation>
    </message>
    <message>
        <source>電子エネルギー + エンタルピー</source>
        <translation>Electronic + thermal enthalpy</translation>
    </message>
    <message>
        <source>電子エネルギー + 自由エネルギー</source>
        <translation>Electronic + thermal free energy</translation>
    </message>
    <message>
        <source>一重項</source>
        <translation>Singlet</translation>
    </message>
    <message>
        <source>二重項</source>
        <translation>Doublet</translation>
    </message>
    <message>
        <source>三重項</source>
        <translation>Triplet</translation>
    </message>
    <message>
        <source>四重項</source>
        <translation>Quartet</translation>
    </message>
    <message>
        <source>五重項</source>
        <translation>Quintet</translation>
    </message>
    <message>
        <source>励起状態は状態 %1 の後で出力が終わっています (最後の遷移が欠けているかもしれません)</source>
        <translation>The excited states end with the output after state %1 (its last transitions may be missing)</translation>
    </message>
    <message>
        <source>励起状態の行 %1 行を読めませんでした</source>
        <translation>%1 excited-state lines could not be read</translation>
    </message>
    <message>
        <source>熱化学に「%1」がありません</source>
        <translation>The thermochemistry has no “%1”</translation>
    </message>
    <message>
        <source>%1 の表の途中で出力が終わっています</source>
        <translation>The output ends within the %1 table</translation>
    </message>
    <message>
        <source>%1 電荷は %2 個で、原子 %3 個と合わないため使いません</source>
        <translation>The %1 charges are %2 values for %3 atoms and are not used</translation>
    </message>
    <message>
        <source>%1 スピン密度は %2 個で、原子 %3 個と合わないため使いません</source>
        <translation>The %1 spin densities are %2 values for %3 atoms and are not used</translation>
    </message>
    <message>
        <source>遮蔽定数は %1 個で、原子 %2 個と合わないため使いません</source>
        <translation>The shieldings are %1 values for %2 atoms and are not used</translation>
    </message>
    <message>
        <source>電荷</source>
        <translation>charge</translation>
    </message>
    <message>
        <source>Hirshfeld 電荷</source>
        <translation>Hirshfeld charge</translation>
    </message>
    <message>
        <source>自然電荷</source>
        <translation>natural population</translation>
    </message>
    <message>
        <source>遮蔽定数</source>
        <translation>shielding</translation>
    </message>
    <message>
        <source>回転強度</source>
        <translation>rotatory strength</translation>
    </message>
</context>
<context>
    <name>CSpectrumView</name>
    <message>
        <source>半値半幅(&amp;W):</source>
        <translation>Half &amp;width at half height:</translation>
    </message>
    <message>
        <source>IR 強度のある振動がありません</source>
        <translation>No modes with an IR intensity</translation>
    </message>
    <message>
        <source>波数 (cm⁻¹)</source>
        <translation>Wavenumber (cm⁻¹)</translation>
    </message>
    <message>
        <source>IR 強度 (km/mol)</source>
        <translation>IR intensity (km/mol)</translation>
    </message>
    <message>
        <source>ホイールで拡大・縮小、ダブルクリックで全体を表示します</source>
        <translation>The wheel zooms in and out; a double click shows the whole range</translation>
    </message>
    <message>
        <source>活性</source>
        <translation>Activity</translation>
    </message>
    <message>
        <source>種類(&amp;K):</source>
        <translation>&amp;Kind:</translation>
    </message>
    <message>
        <source>振動数の倍率(&amp;S):</source>
        <translation>Frequency &amp;scale:</translation>
    </message>
    <message>
        <source>レーザー(&amp;L):</source>
        <translation>&amp;Laser:</translation>
    </message>
    <message>
        <source>温度(&amp;T):</source>
        <translation>&amp;Temperature:</translation>
    </message>
    <message>
        <source>横軸(&amp;A):</source>
        <translation>&amp;Axis:</translation>
    </message>
    <message>
        <source>元素(&amp;E):</source>
        <translation>&amp;Element:</translation>
    </message>
    <message>
        <source>基準の遮蔽(&amp;R):</source>
        <translation>&amp;Reference shielding:</translation>
    </message>
    <message>
        <source>IR</source>
        <translation>IR</translation>
    </message>
    <message>
        <source>ラマン</source>
        <translation>Raman</translation>
    </message>
    <message>
        <source>UV-Vis</source>
        <translation>UV-Vis</translation>
    </message>
    <message>
        <source>ECD</source>
        <translation>ECD</translation>
    </message>
    <message>
        <source>NMR</source>
        <translation>NMR</translation>
    </message>
    <message>
        <source>波数 (cm⁻¹、倍率 %1)</source>
        <translation>Wavenumber (cm⁻¹, scaled by %1)</translation>
    </message>
    <message>
        <source>化学シフト δ (ppm)</source>
        <translation>Chemical shift δ (ppm)</translation>
    </message>
    <message>
        <source>波長 (nm)</source>
        <translation>Wavelength (nm)</translation>
    </message>
    <message>
        <source>励起エネルギー (eV)</source>
        <translation>Excitation energy (eV)</translation>
    </message>
    <message>
        <source>ラマン強度 (最大を 100)</source>
        <translation>Raman intensity (strongest 100)</translation>
    </message>
    <message>
        <source>ラマン活性 (Å⁴/amu)</source>
        <translation>Raman activity (Å⁴/amu)</translation>
    </message>
    <message>
        <source>ε (L mol⁻¹ cm⁻¹)</source>
        <translation>ε (L mol⁻¹ cm⁻¹)</translation>
    </message>
    <message>
        <source>Δε (L mol⁻¹ cm⁻¹)</source>
        <translation>Δε (L mol⁻¹ cm⁻¹)</translation>
    </message>
    <message>
        <source>原子数</source>
        <translation>Atoms</translation>
    </message>
    <message>
        <source>%1i cm⁻¹ (虚数)</source>
        <translation>%1i cm⁻¹ (imaginary)</translation>
    </message>
    <message>
        <source>%1 cm⁻¹</source>
        <translation>%1 cm⁻¹</translation>
    </message>
    <message>
        <source>振動 %1 (%2): %3</source>
        <translation>Mode %1 (%2): %3</translation>
    </message>
    <message>
        <source>励起状態 %1 (%2): %3 eV, %4 nm, f = %5</source>
        <translation>Excited state %1 (%2): %3 eV, %4 nm, f = %5</translation>
    </message>
    <message>
        <source>原子 %1 (%2): δ = %3 ppm, σ = %4 ppm</source>
        <translation>Atom %1 (%2): δ = %3 ppm, σ = %4 ppm</translation>
    </message>
    <message>
        <source>このスペクトルのデータがありません</source>
        <translation>No data for this spectrum</translation>
    </message>
    <message>
        <source>この元素の基準の遮蔽を設定してください</source>
        <translation>Set the reference shielding of this element</translation>
    </message>
    <message>
        <source>IR スペクトル</source>
        <translation>IR spectrum</translation>
    </message>
    <message>
        <source>ラマンスペクトル</source>
        <translation>Raman spectrum</translation>
    </message>
    <message>
        <source>UV-Vis スペクトル</source>
        <translation>UV-Vis spectrum</translation>
    </message>
    <message>
        <source>ECD スペクトル</source>
        <translation>ECD spectrum</translation>
    </message>
    <message>
        <source>NMR スペクトル</source>
        <translation>NMR spectrum</translation>
    </message>
</context>
<context>
    <name>ColourLegend</name>
    <message>
        <source>(チェーンなし)</source>
        <translation>(no chain)</translation>
    </message>
    <message>
        <source>H αヘリックス</source>
        <translation>H α-helix</translation>
    </message>
    <message>
        <source>G 3₁₀ヘリックス</source>
        <translation>G 3₁₀-helix</translation>
    </message>
    <message>
        <source>I πヘリックス</source>
        <translation>I π-helix</translation>
    </message>
    <message>
        <source>E ストランド</source>
        <translation>E strand</translation>
    </message>
    <message>
        <source>B 孤立ブリッジ</source>
        <translation>B isolated bridge</translation>
    </message>
    <message>
        <source>T ターン</source>
        <translation>T turn</translation>
    </message>
    <message>
        <source>S ベンド</source>
        <translation>S bend</translation>
    </message>
    <message>
        <source>- コイル</source>
        <translation>- coil</translation>
    </message>
    <message>
        <source>N末端</source>
        <translation>N terminus</translation>
    </message>
    <message>
        <source>中央</source>
        <translation>middle</translation>
    </message>
    <message>
        <source>C末端</source>
        <translation>C terminus</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>新規にファイルを作成します
新規作成</source>
        <translation>Create a new document
New</translation>
    </message>
    <message>
        <source>既存のファイルを開きます
開く</source>
        <translation>Open an existing file
Open</translation>
    </message>
    <message>
        <source>作業中のファイルを閉じます
閉じる</source>
        <translation>Close the active document
Close</translation>
    </message>
    <message>
        <source>作業中のファイルを上書きして保存します
上書き保存</source>
        <translation>Save the active document
Save</translation>
    </message>
    <message>
        <source>作業中のファイルを新しい名前で保存します
名前を付けて保存</source>
        <translation>Save the active document under a new name
Save As</translation>
    </message>
    <message>
        <source>表示画像を保存
画像保存</source>
        <translation>Save the picture shown
Save Picture</translation>
    </message>
    <message>
        <source>作業中のファイルを印刷します
印刷</source>
        <translation>Print the active document
Print</translation>
    </message>
    <message>
        <source>フル ページ表示します
印刷プレビュー</source>
        <translation>Show full pages
Print Preview</translation>
    </message>
    <message>
        <source>プリンタおよび印刷オプションを変更します
印刷設定</source>
        <translation>Change the printer and printing options
Print Setup</translation>
    </message>
    <message>
        <source>このファイルを開きます</source>
        <translation>Open this file</translation>
    </message>
    <message>
        <source>アプリケーションを終了します
終了</source>
        <translation>Quit the application
Exit</translation>
    </message>
    <message>
        <source>直前に行った動作を元に戻します
元に戻す</source>
        <translation>Undo the last action
Undo</translation>
    </message>
    <message>
        <source>選択範囲を切り取ってクリップボードに移動します
切り取り</source>
        <translation>Cut the selection to the clipboard
Cut</translation>
    </message>
    <message>
        <source>選択範囲をコピーしてクリップボードに保存します
コピー</source>
        <translation>Copy the selection to the clipboard
Copy</translation>
    </message>
    <message>
        <source>クリップボードの内容を挿入します
貼り付け</source>
        <translation>Insert the clipboard's contents
Paste</translation>
    </message>
    <message>
        <source>RAVEKの設定を行います
RAVEK設定</source>
        <translation>Change RAVEK's settings
RAVEK Settings</translation>
    </message>
    <message>
        <source>ワイヤーフレームで表示します
ワイヤーフレーム</source>
        <translation>Draw as wire frame
Wire Frame</translation>
    </message>
    <message>
        <source>ボール&amp;スティックで表示します
ボール&amp;スティック</source>
        <translation>Draw as ball and stick
Ball and Stick</translation>
    </message>
    <message>
        <source>リボンで表示します表示
リボン</source>
        <translation>Draw the backbone as a ribbon
Ribbon</translation>
    </message>
    <message>
        <source>振動解析の結果を表示します
振動解析の結果表示</source>
        <translation>Show the result of the frequency analysis
Vibration</translation>
    </message>
    <message>
        <source>分子表示のアニメーションを行います
分子表示のアニメーション</source>
        <translation>Step through the geometries
Animation</translation>
    </message>
    <message>
        <source>基準振動の一覧を表示し、振動を選んで動かします
基準振動</source>
        <translation>List the normal modes and animate the one chosen
Normal Modes</translation>
    </message>
    <message>
        <source>水素原子を表示します
水素原子表示</source>
        <translation>Show hydrogen atoms
Hydrogen Atoms</translation>
    </message>
    <message>
        <source>全原子のラベルを表示します
全原子のラベル表示</source>
        <translation>Label every atom
Label All Atoms</translation>
    </message>
    <message>
        <source>ラベルをクリアします
ラベルのクリア</source>
        <translation>Clear the labels
Clear Labels</translation>
    </message>
    <message>
        <source>原子ごとに色分けします
原子ごとの色分け</source>
        <translation>Colour by element
Colour by Atom</translation>
    </message>
    <message>
        <source>残基ごとに色分けします
残基ごとの色分け</source>
        <translation>Colour by residue
Colour by Residue</translation>
    </message>
    <message>
        <source>背景色を設定します
背景色の設定</source>
        <translation>Choose the background colour
Background Colour</translation>
    </message>
    <message>
        <source>文字色を設定します
文字色の設定</source>
        <translation>Choose the label colour
Label Colour</translation>
    </message>
    <message>
        <source>表示の設定を行います
表示設定</source>
        <translation>Change the display settings
Display Settings</translation>
    </message>
    <message>
        <source>ウィンドウ位置を保存します
ウィンドウ位置保存</source>
        <translation>Save the window position
Save Window Position</translation>
    </message>
    <message>
        <source>初期設定の位置に戻します
初期設定位置</source>
        <translation>Return to the default position
Default Position</translation>
    </message>
    <message>
        <source>ツール バーの表示/非表示を切り替えます
ツール バーの表示/非表示</source>
        <translation>Show or hide the toolbar
Toggle Toolbar</translation>
    </message>
    <message>
        <source>ステータス バーの表示/非表示を切り替えます
ステータス バーの表示/非表示</source>
        <translation>Show or hide the status bar
Toggle Status Bar</translation>
    </message>
    <message>
        <source>ペプチドのコンフォメーションを調べます
ペプチド構造</source>
        <translation>Examine the peptide's conformation
Peptide Structure</translation>
    </message>
    <message>
        <source>振動解析の IR スペクトルを表示します
IR スペクトル</source>
        <translation>Show the IR spectrum of the frequency analysis
IR Spectrum</translation>
    </message>
    <message>
        <source>分子を最初の向きと大きさに戻します
視点を戻す</source>
        <translation>Turn and size the molecule as it first fitted
Reset View</translation>
    </message>
    <message>
        <source>ウィンドウを画面全体に表示します。もう一度で元に戻ります
全画面表示</source>
        <translation>Show the window on the whole screen; again to return
Full Screen</translation>
    </message>
    <message>
        <source>作業中のウィンドウを閉じます
ウィンドウを閉じる</source>
        <translation>Close the active window
Close Window</translation>
    </message>
    <message>
        <source>書き込み中の出力ファイルに新しいステップが加わるたびに、そのステップを表示します
最新のステップを追う</source>
        <translation>Show each new step as the running job writes it to its output
Follow Newest Step</translation>
    </message>
    <message>
        <source>最適化の各ステップのエネルギーと収束の値をグラフで表示します
最適化の経過</source>
        <translation>Chart the energy and convergence values of each optimisation step
Optimisation Progress</translation>
    </message>
    <message>
        <source>各ステップのエネルギーと収束の値をテキストで保存します
経過データ保存</source>
        <translation>Save the energy and convergence values of each step as text
Save Progress Data</translation>
    </message>
    <message>
        <source>スペクトルの曲線を 2 列のテキストで保存します
スペクトルデータ保存</source>
        <translation>Save the spectrum's curve as two columns of text
Save Spectrum Data</translation>
    </message>
    <message>
        <source>作業中のウィンドウを複写して表示します
新しいウィンドウ</source>
        <translation>Open another window of the active document
New Window</translation>
    </message>
    <message>
        <source>アイコンを整列します
アイコンの整列</source>
        <translation>Arrange the icons
Arrange Icons</translation>
    </message>
    <message>
        <source>ウィンドウを重ねて表示します
重ねて表示</source>
        <translation>Cascade the windows
Cascade</translation>
    </message>
    <message>
        <source>ウィンドウを並べて表示します
並べて表示</source>
        <translation>Tile the windows
Tile</translation>
    </message>
    <message>
        <source>プログラム情報、バージョン、著作権を表示します
バージョン情報</source>
        <translation>Show the program's information, version and copyright
About</translation>
    </message>
    <message>
        <source>ヘルプ トピックの一覧を表示します
ヘルプ トピック</source>
        <translation>Open the user guide
Help Topics</translation>
    </message>
    <message>
        <source>ボタン、メニュー、ウィンドウのヘルプを表示します
ヘルプ</source>
        <translation>Show help on buttons, menus and windows
Help</translation>
    </message>
    <message>
        <source>最適化の経過か基準振動を GIF 動画に保存します
GIF 動画保存</source>
        <translation>Save the optimisation or a normal mode as a GIF movie
Save GIF Movie</translation>
    </message>
    <message>
        <source>最適化の経過か基準振動を MP4 動画に保存します (ffmpeg を使います)
MP4 動画保存</source>
        <translation>Save the optimisation or a normal mode as an MP4 movie (with ffmpeg)
Save MP4 Movie</translation>
    </message>
    <message>
        <source>大きさ、解像度、透明な背景を選んで表示画像を保存します
画像保存 (サイズ指定)</source>
        <translation>Save the picture shown at a size, resolution and background chosen
Save Picture at a Size</translation>
    </message>
    <message>
        <source>振動解析のラマン活性からラマンスペクトルを表示します
ラマンスペクトル</source>
        <translation>Shows the Raman spectrum from the Raman activities of the frequency job
Raman Spectrum</translation>
    </message>
    <message>
        <source>励起状態の UV-Vis スペクトルと ECD スペクトルを表示します
UV-Vis・ECD スペクトル</source>
        <translation>Shows the UV-Vis and ECD spectra of the excited states
UV-Vis and ECD Spectra</translation>
    </message>
    <message>
        <source>NMR の化学シフトを元素ごとに表示します
NMR スペクトル</source>
        <translation>Shows the NMR shifts of one element at a time
NMR Spectrum</translation>
    </message>
    <message>
        <source>クリックした 2 原子の距離を測り、分子の上に残します
距離を測る</source>
        <translation>Measures the distance of the two atoms clicked and keeps it on the molecule
Measure Distance</translation>
    </message>
    <message>
        <source>クリックした 3 原子の角度 (2 番目の原子で) を測り、分子の上に残します
角度を測る</source>
        <translation>Measures the angle of the three atoms clicked (at the second) and keeps it on the molecule
Measure Angle</translation>
    </message>
    <message>
        <source>クリックした 4 原子の二面角を測り、分子の上に残します
二面角を測る</source>
        <translation>Measures the dihedral of the four atoms clicked and keeps it on the molecule
Measure Dihedral</translation>
    </message>
    <message>
        <source>分子の上の計測をすべて消します
計測をすべて消去</source>
        <translation>Removes every measurement from the molecule
Clear Measurements</translation>
    </message>
    <message>
        <source>タンパク質をらせん、矢印のストランド、チューブで表示します
カートゥーン</source>
        <translation>Shows proteins as helices, arrow strands and tubes
Cartoon</translation>
    </message>
    <message>
        <source>カートゥーンのらせんをリボンでなく円柱で表示します
らせんを円柱で</source>
        <translation>Shows the cartoon's helices as cylinders instead of ribbons
Helices as Cylinders</translation>
    </message>
    <message>
        <source>カートゥーンとともにリガンドやイオンをボール&amp;スティックで表示します
リガンドも表示</source>
        <translation>Shows ligands and ions in ball and stick with the cartoon
Show Ligands</translation>
    </message>
    <message>
        <source>カートゥーンとともに水分子を点で表示します
水も表示</source>
        <translation>Shows water molecules as points with the cartoon
Show Waters</translation>
    </message>
    <message>
        <source>チェーンごとに色分けします
チェーンごとの色分け</source>
        <translation>Colours by chain
Colour by Chain</translation>
    </message>
    <message>
        <source>らせん、ストランドなどの二次構造で色分けします
二次構造の色分け</source>
        <translation>Colours by secondary structure: helices, strands and the rest
Colour by Secondary Structure</translation>
    </message>
    <message>
        <source>B因子の低い原子を青、高い原子を赤で示します
B因子の色分け</source>
        <translation>Shows atoms of low B-factor in blue and of high B-factor in red
Colour by B-factor</translation>
    </message>
    <message>
        <source>各チェーンをN末端の青からC末端の赤まで虹色で示します
虹色の色分け</source>
        <translation>Colours each chain as a rainbow from blue at the N terminus to red at the C terminus
Rainbow Colours</translation>
    </message>
    <message>
        <source>最初のモデルまたはステップを表示します
最初へ</source>
        <translation>Shows the first model or step
First</translation>
    </message>
    <message>
        <source>前のモデルまたはステップを表示します
前へ</source>
        <translation>Shows the previous model or step
Previous</translation>
    </message>
    <message>
        <source>次のモデルまたはステップを表示します
次へ</source>
        <translation>Shows the next model or step
Next</translation>
    </message>
    <message>
        <source>最後のモデルまたはステップを表示します
最後へ</source>
        <translation>Shows the last model or step
Last</translation>
    </message>
    <message>
        <source>表示中のモデルに他のモデルの主鎖を細い線で重ねます
全モデルを重ねて表示</source>
        <translation>Draws the other models' backbones thinly over the model shown
Overlay All Models</translation>
    </message>
    <message>
        <source>選択した原子や残基が画面の中心に来るよう移動します
選択を中心に</source>
        <translation>Moves the view so that the selected atoms or residue lie in the middle
Centre on Selection</translation>
    </message>
    <message>
        <source>二次構造を主鎖から求めず、ファイルの HELIX・SHEET レコード (mmCIF では struct_conf と struct_sheet_range) から取ります
ファイルの二次構造</source>
        <translation>Takes the secondary structure from the file's HELIX and SHEET records (struct_conf and struct_sheet_range in mmCIF) instead of assigning it from the backbone
File's Secondary Structure</translation>
    </message>
    <message>
        <source>ラベルを縁取りして、どの背景でも読めるようにします
ラベルの縁取り</source>
        <translation>Outlines the labels so that they read on any background
Label Outlines</translation>
    </message>
    <message>
        <source>クリックで測った距離・角度・二面角も分子の上に残します
クリックの計測を残す</source>
        <translation>Keeps the distances, angles and dihedrals measured by clicks drawn on the molecule too
Keep Measurements of Clicks</translation>
    </message>
    <message>
        <source>軌道と密度のパネルを表示します
軌道と密度</source>
        <translation>Shows the panel of orbitals and densities
Orbitals and Densities</translation>
    </message>
    <message>
        <source>電荷・熱化学などの計算結果のパネルを表示します
計算結果</source>
        <translation>Shows the panel of the job's results: charges, thermochemistry and more
Results</translation>
    </message>
    <message>
        <source>残した計測の一覧のパネルを表示します
計測</source>
        <translation>Shows the panel listing the measurements kept
Measurements</translation>
    </message>
    <message>
        <source>ファイルに内容があればパネルを自動で開きます
パネルを自動で開く</source>
        <translation>Opens the panels by themselves when a file has something for them
Open Panels Automatically</translation>
    </message>
    <message>
        <source>選択した原子ごとの表示の一覧とコマンド欄のパネルを表示します
表示</source>
        <translation>Shows the panel of how each selection of atoms is drawn, with the command box
Representations</translation>
    </message>
    <message>
        <source>複数の出力ファイルのエネルギー、ボルツマン分布の重みと重み付きスペクトルを一つのウィンドウで比べます
ジョブを比較</source>
        <translation>Compare the energies, Boltzmann weights and weighted spectra of several output files in one window
Compare Jobs</translation>
    </message>
    <message>
        <source>スキャンや IRC の各点のエネルギーを座標に沿ってグラフで表示します
反応経路</source>
        <translation>Show the energy of each point of a scan or an IRC along its coordinate
Reaction Path</translation>
    </message>
    <message>
        <source>経路の各点の座標、エネルギーと計測値をテキストで保存します
経路データ保存</source>
        <translation>Save the coordinate, energy and measurements of each point of the path as text
Save Path Data</translation>
    </message>
    <message>
        <source>エネルギーを hartree で表示します
hartree</source>
        <translation>Show energies in hartree
hartree</translation>
    </message>
    <message>
        <source>エネルギーを kJ/mol で表示します
kJ/mol</source>
        <translation>Show energies in kJ/mol
kJ/mol</translation>
    </message>
    <message>
        <source>エネルギーを kcal/mol で表示します
kcal/mol</source>
        <translation>Show energies in kcal/mol
kcal/mol</translation>
    </message>
    <message>
        <source>経路の点を反応の順にアニメーションで表示します
経路に沿ってアニメーション</source>
        <translation>Animate the points of the path in reaction order
Animate Along the Path</translation>
    </message>
</context>
<context>
    <name>DataExchange</name>
    <message>
        <source>整数を入力してください。</source>
        <translation>Enter a whole number.</translation>
    </message>
    <message>
        <source>%1 から %2 までの整数を入力してください。</source>
        <translation>Enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <source>%1 文字以内で入力してください。</source>
        <translation>Enter at most %1 characters.</translation>
    </message>
</context>
<context>
    <name>DocTemplate</name>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
</context>
<context>
    <name>FileDialog</name>
    <message>
        <source>%1
ファイルが見つかりません。
ファイル名を確認してください。</source>
        <translation>%1
File not found.
Please verify the correct file name was given.</translation>
    </message>
</context>
<context>
    <name>JobSetChart</name>
    <message>
        <source>相対エネルギー (%1)</source>
        <translation>Relative energy (%1)</translation>
    </message>
    <message>
        <source>ジョブを追加してください</source>
        <translation>Add jobs to compare</translation>
    </message>
    <message>
        <source>計算 (重み付き)</source>
        <translation>Computed (weighted)</translation>
    </message>
    <message>
        <source>実測 (%1 %2, ×%3)</source>
        <translation>Measured (%1 %2, ×%3)</translation>
    </message>
</context>
<context>
    <name>JobSetWindow</name>
    <message>
        <source>ジョブの比較</source>
        <translation>Compare Jobs</translation>
    </message>
    <message>
        <source>ファイルを追加(&amp;A)...</source>
        <translation>&amp;Add Files...</translation>
    </message>
    <message>
        <source>除く(&amp;R)</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>電子エネルギー</source>
        <translation>Electronic energy</translation>
    </message>
    <message>
        <source>エンタルピー</source>
        <translation>Enthalpy</translation>
    </message>
    <message>
        <source>自由エネルギー</source>
        <translation>Free energy</translation>
    </message>
    <message>
        <source>スペクトルなし</source>
        <translation>No spectrum</translation>
    </message>
    <message>
        <source>IR</source>
        <translation>IR</translation>
    </message>
    <message>
        <source>ラマン</source>
        <translation>Raman</translation>
    </message>
    <message>
        <source>UV-Vis</source>
        <translation>UV-Vis</translation>
    </message>
    <message>
        <source>ECD</source>
        <translation>ECD</translation>
    </message>
    <message>
        <source>実測スペクトル(&amp;E)...</source>
        <translation>M&amp;easured Spectrum...</translation>
    </message>
    <message>
        <source>ずらして合わせる(&amp;F)</source>
        <translation>Shift to &amp;fit</translation>
    </message>
    <message>
        <source>ジョブ</source>
        <translation>Job</translation>
    </message>
    <message>
        <source>計算レベル</source>
        <translation>Level of theory</translation>
    </message>
    <message>
        <source>E (hartree)</source>
        <translation>E (hartree)</translation>
    </message>
    <message>
        <source>H (hartree)</source>
        <translation>H (hartree)</translation>
    </message>
    <message>
        <source>G (hartree)</source>
        <translation>G (hartree)</translation>
    </message>
    <message>
        <source>相対</source>
        <translation>Relative</translation>
    </message>
    <message>
        <source>重み</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>基準:</source>
        <translation>Reference:</translation>
    </message>
    <message>
        <source>温度:</source>
        <translation>Temperature:</translation>
    </message>
    <message>
        <source>次のファイルからはジョブを読めませんでした:
%1</source>
        <translation>No job could be read from these files:
%1</translation>
    </message>
    <message>
        <source>%1
スペクトルを読めませんでした: %2</source>
        <translation>%1
The spectrum could not be read: %2</translation>
    </message>
    <message>
        <source>スペクトル (*.txt; *.csv; *.dat; *.jdx; *.dx)|*.txt;*.csv;*.dat;*.jdx;*.dx|すべてのファイル (*.*)|*.*||</source>
        <translation>Spectra (*.txt; *.csv; *.dat; *.jdx; *.dx)|*.txt;*.csv;*.dat;*.jdx;*.dx|All Files (*.*)|*.*||</translation>
    </message>
    <message>
        <source>最も低いジョブ</source>
        <translation>The lowest job</translation>
    </message>
    <message>
        <source>計算レベルが揃っていません: %1</source>
        <translation>The jobs are at different levels of theory: %1</translation>
    </message>
    <message>
        <source>熱化学は別の温度で計算されています (重みはその自由エネルギーによります)</source>
        <translation>The thermochemistry was computed at another temperature (the weights use its free energies)</translation>
    </message>
    <message>
        <source>%1 個のジョブにはこのエネルギーがありません</source>
        <translation>%1 job(s) have no such energy</translation>
    </message>
    <message>
        <source>エネルギー (eV)</source>
        <translation>Energy (eV)</translation>
    </message>
    <message>
        <source>波数 (cm⁻¹)</source>
        <translation>Wavenumber (cm⁻¹)</translation>
    </message>
</context>
<context>
    <name>JobStateText</name>
    <message>
        <source>実行中</source>
        <translation>running</translation>
    </message>
    <message>
        <source>エラー終了</source>
        <translation>ended with an error</translation>
    </message>
</context>
<context>
    <name>MeasureDialog</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>ウィンドウ位置(&amp;W)</source>
        <translation>&amp;Window Position</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>初期設定(&amp;D)</source>
        <translation>&amp;Default</translation>
    </message>
    <message>
        <source>ウィンドウ(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>新しいウィンドウを開く(&amp;N)</source>
        <translation>&amp;New Window</translation>
    </message>
    <message>
        <source>重ねて表示(&amp;C)</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>並べて表示(&amp;T)</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>アイコンの整列(&amp;A)</source>
        <translation>&amp;Arrange Icons</translation>
    </message>
    <message>
        <source>ウィンドウを閉じる(&amp;L)	Ctrl+W</source>
        <translation>C&amp;lose Window	Ctrl+W</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>トピックの検索(&amp;H)</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)...</source>
        <translation>&amp;About RAVEK...</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>開く(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...	Ctrl+P</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <source>印刷プレビュー(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>プリンタの設定(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>画像保存(&amp;I)</source>
        <translation>Save P&amp;icture</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>コピー(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>ツールバー(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ステータスバー(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>全画面表示(&amp;U)	F11</source>
        <translation>F&amp;ull Screen	F11</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>分子表示モード(&amp;M)</source>
        <translation>&amp;Molecule Style</translation>
    </message>
    <message>
        <source>ワイヤーフレーム</source>
        <translation>Wire Frame</translation>
    </message>
    <message>
        <source>ボール＆スティック</source>
        <translation>Ball and Stick</translation>
    </message>
    <message>
        <source>リボン</source>
        <translation>Ribbon</translation>
    </message>
    <message>
        <source>振動解析</source>
        <translation>Vibration</translation>
    </message>
    <message>
        <source>アニメーション(&amp;A)</source>
        <translation>&amp;Animation</translation>
    </message>
    <message>
        <source>基準振動(&amp;N)...</source>
        <translation>N&amp;ormal Modes...</translation>
    </message>
    <message>
        <source>水素原子表示</source>
        <translation>Hydrogen Atoms</translation>
    </message>
    <message>
        <source>ラベル(&amp;L)</source>
        <translation>&amp;Labels</translation>
    </message>
    <message>
        <source>全原子表示(&amp;A)</source>
        <translation>&amp;All Atoms</translation>
    </message>
    <message>
        <source>クリア(&amp;C)</source>
        <translation>&amp;Clear</translation>
    </message>
    <message>
        <source>色分け(&amp;C)</source>
        <translation>&amp;Colour by</translation>
    </message>
    <message>
        <source>原子(&amp;A)</source>
        <translation>&amp;Atom</translation>
    </message>
    <message>
        <source>残基(&amp;R)</source>
        <translation>&amp;Residue</translation>
    </message>
    <message>
        <source>背景色(&amp;B)</source>
        <translation>&amp;Background Colour</translation>
    </message>
    <message>
        <source>文字色(&amp;R)</source>
        <translation>Label Colou&amp;r</translation>
    </message>
    <message>
        <source>表示設定(&amp;P)</source>
        <translation>&amp;Display Settings</translation>
    </message>
    <message>
        <source>視点を戻す(&amp;H)	Home</source>
        <translation>Reset &amp;View	Home</translation>
    </message>
    <message>
        <source>解析(&amp;A)</source>
        <translation>&amp;Analysis</translation>
    </message>
    <message>
        <source>ペプチド構造(&amp;P)</source>
        <translation>&amp;Peptide Structure</translation>
    </message>
    <message>
        <source>IR スペクトル(&amp;I)</source>
        <translation>&amp;IR Spectrum</translation>
    </message>
    <message>
        <source>最適化の経過(&amp;O)</source>
        <translation>&amp;Optimisation Progress</translation>
    </message>
    <message>
        <source>最新のステップを追う(&amp;F)</source>
        <translation>&amp;Follow Newest Step</translation>
    </message>
    <message>
        <source>経過データ保存(&amp;D)...</source>
        <translation>Save Progress &amp;Data...</translation>
    </message>
    <message>
        <source>スペクトルデータ保存(&amp;D)...</source>
        <translation>Save Spectrum &amp;Data...</translation>
    </message>
    <message>
        <source>MP4 動画保存(&amp;M)...</source>
        <translation>Save &amp;MP4 Movie...</translation>
    </message>
    <message>
        <source>GIF 動画保存(&amp;G)...</source>
        <translation>Save &amp;GIF Movie...</translation>
    </message>
    <message>
        <source>画像保存 (サイズ指定)(&amp;Z)...</source>
        <translation>Save Picture at a Si&amp;ze...</translation>
    </message>
    <message>
        <source>ラマンスペクトル(&amp;R)</source>
        <translation>&amp;Raman Spectrum</translation>
    </message>
    <message>
        <source>UV-Vis・ECD スペクトル(&amp;U)</source>
        <translation>&amp;UV-Vis and ECD Spectra</translation>
    </message>
    <message>
        <source>NMR スペクトル(&amp;N)</source>
        <translation>&amp;NMR Spectrum</translation>
    </message>
    <message>
        <source>距離を測る(&amp;D)</source>
        <translation>Measure &amp;Distance</translation>
    </message>
    <message>
        <source>角度を測る(&amp;G)</source>
        <translation>Measure An&amp;gle</translation>
    </message>
    <message>
        <source>二面角を測る(&amp;T)</source>
        <translation>Measure Di&amp;hedral</translation>
    </message>
    <message>
        <source>計測をすべて消去(&amp;C)</source>
        <translation>&amp;Clear Measurements</translation>
    </message>
    <message>
        <source>カートゥーン</source>
        <translation>Cartoon</translation>
    </message>
    <message>
        <source>らせんを円柱で</source>
        <translation>Helices as Cylinders</translation>
    </message>
    <message>
        <source>リガンドも表示</source>
        <translation>Show Ligands</translation>
    </message>
    <message>
        <source>水も表示</source>
        <translation>Show Waters</translation>
    </message>
    <message>
        <source>チェーン(&amp;C)</source>
        <translation>&amp;Chain</translation>
    </message>
    <message>
        <source>二次構造(&amp;S)</source>
        <translation>&amp;Secondary Structure</translation>
    </message>
    <message>
        <source>B因子(&amp;B)</source>
        <translation>&amp;B-factor</translation>
    </message>
    <message>
        <source>N末端からC末端へ虹色(&amp;N)</source>
        <translation>Rainbow from &amp;N to C Terminus</translation>
    </message>
    <message>
        <source>最初へ(&amp;F)	Ctrl+PgUp</source>
        <translation>&amp;First	Ctrl+PgUp</translation>
    </message>
    <message>
        <source>前へ(&amp;P)	PgUp</source>
        <translation>&amp;Previous	PgUp</translation>
    </message>
    <message>
        <source>次へ(&amp;N)	PgDown</source>
        <translation>&amp;Next	PgDown</translation>
    </message>
    <message>
        <source>最後へ(&amp;L)	Ctrl+PgDown</source>
        <translation>&amp;Last	Ctrl+PgDown</translation>
    </message>
    <message>
        <source>全モデルを重ねて表示(&amp;O)</source>
        <translation>&amp;Overlay All Models</translation>
    </message>
    <message>
        <source>選択した原子を中心に(&amp;E)</source>
        <translation>C&amp;entre on Selection</translation>
    </message>
    <message>
        <source>ファイルの二次構造を使う</source>
        <translation>Use the File's Secondary Structure</translation>
    </message>
    <message>
        <source>軌道と密度(&amp;O)</source>
        <translation>&amp;Orbitals and Densities</translation>
    </message>
    <message>
        <source>計算結果(&amp;R)</source>
        <translation>&amp;Results</translation>
    </message>
    <message>
        <source>計測(&amp;M)</source>
        <translation>&amp;Measurements</translation>
    </message>
    <message>
        <source>内容があれば自動で開く(&amp;A)</source>
        <translation>Open &amp;Automatically When There Is Content</translation>
    </message>
    <message>
        <source>縁取り(&amp;O)</source>
        <translation>&amp;Outline</translation>
    </message>
    <message>
        <source>クリックの計測も残す(&amp;K)</source>
        <translation>&amp;Keep Measurements of Clicks</translation>
    </message>
    <message>
        <source>表示(&amp;D)</source>
        <translation>Re&amp;presentations</translation>
    </message>
    <message>
        <source>パネル(&amp;D)</source>
        <translation>Pa&amp;nels</translation>
    </message>
    <message>
        <source>ステップ(&amp;G)</source>
        <translation>Ste&amp;p</translation>
    </message>
    <message>
        <source>ジョブを比較(&amp;J)...</source>
        <translation>Compare &amp;Jobs...</translation>
    </message>
    <message>
        <source>反応経路(&amp;W)</source>
        <translation>Reaction Path&amp;way</translation>
    </message>
    <message>
        <source>経路データ保存(&amp;D)...</source>
        <translation>Save Path &amp;Data...</translation>
    </message>
    <message>
        <source>経路(&amp;P)</source>
        <translation>&amp;Path</translation>
    </message>
    <message>
        <source>hartree(&amp;H)</source>
        <translation>&amp;hartree</translation>
    </message>
    <message>
        <source>kJ/mol(&amp;J)</source>
        <translation>k&amp;J/mol</translation>
    </message>
    <message>
        <source>kcal/mol(&amp;K)</source>
        <translation>&amp;kcal/mol</translation>
    </message>
    <message>
        <source>経路に沿ってアニメーション(&amp;A)</source>
        <translation>&amp;Animate Along the Path</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>ファイル %1 を開けません。
%2</source>
        <translation>The file %1 cannot be opened.
%2</translation>
    </message>
    <message>
        <source>ファイル %1 に保存できません。元のファイルは変更されていません。
%2</source>
        <translation>Cannot save to the file %1. The file as it was is unchanged.
%2</translation>
    </message>
    <message>
        <source>次のファイルを開けません。
%1</source>
        <translation>These files cannot be opened:
%1</translation>
    </message>
    <message>
        <source>ほか %1 個のファイル</source>
        <translation>and %1 more files</translation>
    </message>
</context>
<context>
    <name>PropertySheet</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>レディ</source>
        <translation>Ready</translation>
    </message>
</context>
<context>
    <name>UserGuideWindow</name>
    <message>
        <source>RAVEK ユーザーガイド</source>
        <translation>RAVEK user guide</translation>
    </message>
</context>
</TS>