#!/usr/bin/env python3
"""Writes the English texts into translations/ravek_en.ts (after lupdate has
brought its source texts up to date) from the table below, and fails when a
source text has no English: every text of the interface must have one.

Usage: fill_english.py [TS_FILE]
       fill_english.py --check LUPDATE SOURCE_ROOT
The second form changes nothing: it fails when the sources hold a text the
committed .ts file lacks (or it holds one they no longer have), when a
text of the .ts file has no English, or when a Japanese text the program
showed before its texts went through the translation (texts-as-written.txt)
is no longer one of its texts, word for word."""

import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

# The folders (and the one file of the drawing layer) whose texts the
# interface shows.
TRANSLATED_FOLDERS = ["app", "view", "platform", "res", "render/ColourScheme.cpp"]

# (context, source) -> English; a source that reads the same in every context
# may use the context None.
ENGLISH = {
    ("COrbitalPanel", "色の範囲"): "Colour range",
    ("CMolDoc", "Gaussian"): "Gaussian",
    ("CMolDoc", "PDB"): "PDB",
    ("CMolDoc", "PDBx/mmCIF"): "PDBx/mmCIF",
    ("CMolDoc", "XYZ"): "XYZ",
    ("CMolDoc", "cube"): "cube",
    ("CMolDoc", "Molden"): "Molden",
    ("CMolDoc", "Molden ファイルとして読めません: %1"): "Cannot read as a Molden file: %1",
    ("CMolDoc", "フォーマット済みチェックポイント"): "formatted checkpoint",
    ("CMolDoc", "%1 は %2 ファイルのようです。\n%2 ファイルとして読み込みますか?"): "%1 looks like a %2 file.\nRead it as a %2 file?",
    ("Menu", "縁取り(&O)"): "&Outline",
    ("Menu", "パネル(&D)"): "Pa&nels",
    ("Menu", "軌道と密度(&O)"): "&Orbitals and Densities",
    ("Menu", "計算結果(&R)"): "&Results",
    ("Menu", "計測(&M)"): "&Measurements",
    ("Menu", "内容があれば自動で開く(&A)"): "Open &Automatically When There Is Content",
    ("Menu", "クリックの計測も残す(&K)"): "&Keep Measurements of Clicks",
    ("Command", "ラベルを縁取りして、どの背景でも読めるようにします\nラベルの縁取り"): "Outlines the labels so that they read on any background\nLabel Outlines",
    ("Command", "クリックで測った距離・角度・二面角も分子の上に残します\nクリックの計測を残す"): "Keeps the distances, angles and dihedrals measured by clicks drawn on the molecule too\nKeep Measurements of Clicks",
    ("Command", "軌道と密度のパネルを表示します\n軌道と密度"): "Shows the panel of orbitals and densities\nOrbitals and Densities",
    ("Command", "電荷・熱化学などの計算結果のパネルを表示します\n計算結果"): "Shows the panel of the job's results: charges, thermochemistry and more\nResults",
    ("Command", "残した計測の一覧のパネルを表示します\n計測"): "Shows the panel listing the measurements kept\nMeasurements",
    ("Command", "ファイルに内容があればパネルを自動で開きます\nパネルを自動で開く"): "Opens the panels by themselves when a file has something for them\nOpen Panels Automatically",
    ("CMolDoc", "軌道係数がないため、軌道と密度は表示できません (%1)"): "No orbitals or densities can be shown: the file holds no orbital coefficients (%1)",
    ("COrbitalPanel", "このファイルには軌道係数がありません。軌道と密度は表示できません"): "This file holds no orbital coefficients: no orbitals or densities can be shown",
    ("COrbitalPanel", "このファイルには軌道も格子もありません"): "This file holds neither orbitals nor grids",
    ("FileDialog", "%1\nファイルが見つかりません。\nファイル名を確認してください。"):
        "%1\nFile not found.\nPlease verify the correct file name was given.",
    ("BackgroundOpen", "パイプから読み込んでいます: %1"): "Reading from a pipe: %1",
    ("BackgroundOpen", "\n%1 / %2 件 読み込み済み"): "\n%1 of %2 read",
    ("BackgroundOpen", "キャンセル"): "Cancel",
    ("CDispResPage", "チェーンの残基をすべて選択"): "Selects every residue of a chain",
    ("CDispResPage", "チェーンで選択"): "Select by chain",
    ("Command", "選択した原子や残基が画面の中心に来るよう移動します\n選択を中心に"): "Moves the view so that the selected atoms or residue lie in the middle\nCentre on Selection",
    ("Menu", "選択した原子を中心に(&E)"): "C&entre on Selection",
    ("CMolView", "モデル %1 / %2"): "Model %1 / %2",
    ("Command", "最初のモデルまたはステップを表示します\n最初へ"): "Shows the first model or step\nFirst",
    ("Command", "前のモデルまたはステップを表示します\n前へ"): "Shows the previous model or step\nPrevious",
    ("Command", "次のモデルまたはステップを表示します\n次へ"): "Shows the next model or step\nNext",
    ("Command", "最後のモデルまたはステップを表示します\n最後へ"): "Shows the last model or step\nLast",
    ("Command", "表示中のモデルに他のモデルの主鎖を細い線で重ねます\n全モデルを重ねて表示"): "Draws the other models' backbones thinly over the model shown\nOverlay All Models",
    ("Menu", "ステップ(&G)"): "Ste&p",
    ("Menu", "最初へ(&F)\tCtrl+PgUp"): "&First\tCtrl+PgUp",
    ("Menu", "前へ(&P)\tPgUp"): "&Previous\tPgUp",
    ("Menu", "次へ(&N)\tPgDown"): "&Next\tPgDown",
    ("Menu", "最後へ(&L)\tCtrl+PgDown"): "&Last\tCtrl+PgDown",
    ("Menu", "全モデルを重ねて表示(&O)"): "&Overlay All Models",
    ("ColourLegend", "(チェーンなし)"): "(no chain)",
    ("ColourLegend", "H αヘリックス"): "H α-helix",
    ("ColourLegend", "G 3₁₀ヘリックス"): "G 3₁₀-helix",
    ("ColourLegend", "I πヘリックス"): "I π-helix",
    ("ColourLegend", "E ストランド"): "E strand",
    ("ColourLegend", "B 孤立ブリッジ"): "B isolated bridge",
    ("ColourLegend", "T ターン"): "T turn",
    ("ColourLegend", "S ベンド"): "S bend",
    ("ColourLegend", "- コイル"): "- coil",
    ("ColourLegend", "N末端"): "N terminus",
    ("ColourLegend", "中央"): "middle",
    ("ColourLegend", "C末端"): "C terminus",
    ("Menu", "カートゥーン"): "Cartoon",
    ("Menu", "らせんを円柱で"): "Helices as Cylinders",
    ("Menu", "リガンドも表示"): "Show Ligands",
    ("Menu", "水も表示"): "Show Waters",
    ("Menu", "ファイルの二次構造を使う"): "Use the File's Secondary Structure",
    ("Menu", "チェーン(&C)"): "&Chain",
    ("Menu", "二次構造(&S)"): "&Secondary Structure",
    ("Menu", "B因子(&B)"): "&B-factor",
    ("Menu", "N末端からC末端へ虹色(&N)"): "Rainbow from &N to C Terminus",
    ("Command", "タンパク質をらせん、矢印のストランド、チューブで表示します\nカートゥーン"): "Shows proteins as helices, arrow strands and tubes\nCartoon",
    ("Command", "カートゥーンのらせんをリボンでなく円柱で表示します\nらせんを円柱で"): "Shows the cartoon's helices as cylinders instead of ribbons\nHelices as Cylinders",
    ("Command", "カートゥーンとともにリガンドやイオンをボール&スティックで表示します\nリガンドも表示"): "Shows ligands and ions in ball and stick with the cartoon\nShow Ligands",
    ("Command", "カートゥーンとともに水分子を点で表示します\n水も表示"): "Shows water molecules as points with the cartoon\nShow Waters",
    ("Command", "二次構造を主鎖から求めず、ファイルの HELIX・SHEET レコード (mmCIF では struct_conf と struct_sheet_range) から取ります\nファイルの二次構造"): "Takes the secondary structure from the file's HELIX and SHEET records (struct_conf and struct_sheet_range in mmCIF) instead of assigning it from the backbone\nFile's Secondary Structure",
    ("Command", "チェーンごとに色分けします\nチェーンごとの色分け"): "Colours by chain\nColour by Chain",
    ("Command", "らせん、ストランドなどの二次構造で色分けします\n二次構造の色分け"): "Colours by secondary structure: helices, strands and the rest\nColour by Secondary Structure",
    ("Command", "B因子の低い原子を青、高い原子を赤で示します\nB因子の色分け"): "Shows atoms of low B-factor in blue and of high B-factor in red\nColour by B-factor",
    ("Command", "各チェーンをN末端の青からC末端の赤まで虹色で示します\n虹色の色分け"): "Colours each chain as a rainbow from blue at the N terminus to red at the C terminus\nRainbow Colours",
    ("Menu", "表示(&D)"): "Re&presentations",
    ("Command", "選択した原子ごとの表示の一覧とコマンド欄のパネルを表示します\n表示"): "Shows the panel of how each selection of atoms is drawn, with the command box\nRepresentations",
    ("CRepresentationsPanel", "ワイヤーフレーム"): "Wire frame",
    ("CRepresentationsPanel", "スティック"): "Sticks",
    ("CRepresentationsPanel", "ボール&スティック"): "Ball and stick",
    ("CRepresentationsPanel", "空間充填"): "Space filling",
    ("CRepresentationsPanel", "リボン"): "Ribbon",
    ("CRepresentationsPanel", "カートゥーン"): "Cartoon",
    ("CRepresentationsPanel", "ラベル"): "Labels",
    ("CRepresentationsPanel", "元素"): "Element",
    ("CRepresentationsPanel", "元素(結合も)"): "Element, bonds too",
    ("CRepresentationsPanel", "残基"): "Residue",
    ("CRepresentationsPanel", "鎖"): "Chain",
    ("CRepresentationsPanel", "二次構造"): "Secondary structure",
    ("CRepresentationsPanel", "温度因子"): "B-factor",
    ("CRepresentationsPanel", "虹色"): "Rainbow",
    ("CRepresentationsPanel", "値"): "Value",
    ("CRepresentationsPanel", "単色"): "One colour",
    ("CRepresentationsPanel", "表示"): "Representations",
    ("CRepresentationsPanel", "見える"): "Shown",
    ("CRepresentationsPanel", "選択"): "Selection",
    ("CRepresentationsPanel", "スタイル"): "Style",
    ("CRepresentationsPanel", "色"): "Colour",
    ("CRepresentationsPanel", "追加"): "Add",
    ("CRepresentationsPanel", "削除"): "Remove",
    ("CRepresentationsPanel", "上へ"): "Up",
    ("CRepresentationsPanel", "下へ"): "Down",
    ("CRepresentationsPanel", "分子のウィンドウがありません"): "No molecule window is open",
    ("CRepresentationsPanel", "メニューのとおり"): "As the menus say",
    ("CMolView", "ワイヤーフレーム"): "Wire frame",
    ("CMolView", "スティック"): "Sticks",
    ("CMolView", "ボール&スティック"): "Ball and stick",
    ("CMolView", "空間充填"): "Space filling",
    ("CMolView", "リボン"): "Ribbon",
    ("CMolView", "カートゥーン"): "Cartoon",
    ("CMolView", "ラベル"): "Labels",
    ("CMolView", "表示"): "Show As",
    ("CMolView", "隠す"): "Hide",
    ("CMolView", "色"): "Colour",
    ("CMolView", "元素(炭素は緑)"): "Element, carbon green",
    ("CMolView", "元素"): "Element",
    ("CMolView", "鎖"): "Chain",
    ("CMolView", "二次構造"): "Secondary structure",
    ("CMolView", "赤"): "Red",
    ("CMolView", "黄"): "Yellow",
    ("CMolView", "白"): "White",
    ("CMolView", "残基を選択"): "Select Residue",
    ("CMolView", "鎖を選択"): "Select Chain",
    ("CMolView", "ズーム"): "Zoom",
    ("CMolView", "選択を解除"): "Clear Selection",
    ("CMolDoc", "%1 はセッションとして読めません: %2"): "%1 cannot be read as a session: %2",
    ("CMolDoc", "セッション %1 の構造ファイル %2 が見つかりません"): "The structure file %2 of the session %1 is not there",
    ("CMolDoc", "構造ファイル %1 はセッションを保存した後に変わっています。\n表示は保存したときと同じでないかもしれません。"): "The structure file %1 has changed since the session was saved.\nWhat is shown may differ from what was saved.",
    ("CMolDoc", "セッションには読み込んだ構造ファイルが要ります"): "A session needs the structure file that was read",
    ("CRepresentationsPanel", "タンパク質はカートゥーンで開く (リガンドはボール&スティック、水は隠す)"): "Open proteins as cartoons (ligands in ball and stick, waters hidden)",
    ("CMeasurementsPanel", "計測"): "Measurements",
    ("CMeasurementsPanel", "種類"): "Kind",
    ("CMeasurementsPanel", "原子"): "Atoms",
    ("CMeasurementsPanel", "値"): "Value",
    ("CMeasurementsPanel", "コピー"): "Copy",
    ("CMeasurementsPanel", "削除"): "Remove",
    ("CMeasurementsPanel", "すべて削除"): "Remove All",
    ("CMeasurementsPanel", "距離"): "Distance",
    ("CMeasurementsPanel", "角度"): "Angle",
    ("CMeasurementsPanel", "二面角"): "Dihedral",
    ("CMeasurementsPanel", "なし"): "none",
    ("Command", "クリックした 2 原子の距離を測り、分子の上に残します\n距離を測る"): "Measures the distance of the two atoms clicked and keeps it on the molecule\nMeasure Distance",
    ("Command", "クリックした 3 原子の角度 (2 番目の原子で) を測り、分子の上に残します\n角度を測る"): "Measures the angle of the three atoms clicked (at the second) and keeps it on the molecule\nMeasure Angle",
    ("Command", "クリックした 4 原子の二面角を測り、分子の上に残します\n二面角を測る"): "Measures the dihedral of the four atoms clicked and keeps it on the molecule\nMeasure Dihedral",
    ("Command", "分子の上の計測をすべて消します\n計測をすべて消去"): "Removes every measurement from the molecule\nClear Measurements",
    ("Menu", "距離を測る(&D)"): "Measure &Distance",
    ("Menu", "角度を測る(&G)"): "Measure An&gle",
    ("Menu", "二面角を測る(&T)"): "Measure Di&hedral",
    ("Menu", "計測をすべて消去(&C)"): "&Clear Measurements",
    ("CMolDoc", "ファイルの種類を名前からも内容からも判断できません"): "Neither the name nor the content says what kind of file it is",
    ("CMolView", "%1 は既に存在します。\n上書きしますか?"): "%1 already exists.\nDo you want to replace it?",
    ("COptChartView", "最適化チャート"): "Optimisation chart",
    ("CPlotView", "領域なし"): "No regions",
    ("CPlotView", "一般"): "General",
    ("CPlotView", "グリシン"): "Glycine",
    ("CPlotView", "プロリン"): "Proline",
    ("CPlotView", "プロリンの前"): "Pre-proline",
    ("CPlotView", "Ile・Val"): "Ile/Val",
    ("CPlotView", "背景に描く好ましい領域と許容領域の残基の種類。Top8000 の参照分布 (Richardson 研究室) から: 好ましい領域は参照残基の 98 %、許容領域は 99.95 % (一般) または 99.8 % (その他) を含む"): "The kind of residue whose favoured and allowed regions are drawn behind the points. From the Top8000 reference distributions (Richardson laboratory): the favoured region holds 98 % of the reference residues, the allowed region 99.95 % (general case) or 99.8 % (the others)",
    ("CPlotView", "好ましい"): "Favoured",
    ("CPlotView", "許容"): "Allowed",
    ("CPlotView", "外れ"): "Outlier",
    ("CPropGeneralPage", "新しいファイルを主軸の向きで開く"): "Open new files turned to their principal axes",
    ("CSpectrumView", "IR スペクトル"): "IR spectrum",
    ("CSpectrumView", "ラマンスペクトル"): "Raman spectrum",
    ("CSpectrumView", "UV-Vis スペクトル"): "UV-Vis spectrum",
    ("CSpectrumView", "ECD スペクトル"): "ECD spectrum",
    ("CSpectrumView", "NMR スペクトル"): "NMR spectrum",
    ("CResultsPanel", "励起状態は状態 %1 の後で出力が終わっています (最後の遷移が欠けているかもしれません)"): "The excited states end with the output after state %1 (its last transitions may be missing)",
    ("CResultsPanel", "励起状態の行 %1 行を読めませんでした"): "%1 excited-state lines could not be read",
    ("CResultsPanel", "熱化学に「%1」がありません"): "The thermochemistry has no “%1”",
    ("CResultsPanel", "%1 の表の途中で出力が終わっています"): "The output ends within the %1 table",
    ("CResultsPanel", "%1 電荷は %2 個で、原子 %3 個と合わないため使いません"): "The %1 charges are %2 values for %3 atoms and are not used",
    ("CResultsPanel", "%1 スピン密度は %2 個で、原子 %3 個と合わないため使いません"): "The %1 spin densities are %2 values for %3 atoms and are not used",
    ("CResultsPanel", "遮蔽定数は %1 個で、原子 %2 個と合わないため使いません"): "The shieldings are %1 values for %2 atoms and are not used",
    ("CResultsPanel", "電荷"): "charge",
    ("CResultsPanel", "Hirshfeld 電荷"): "Hirshfeld charge",
    ("CResultsPanel", "自然電荷"): "natural population",
    ("CResultsPanel", "遮蔽定数"): "shielding",
    ("CResultsPanel", "回転強度"): "rotatory strength",
    ("CSpectrumView", "この元素の基準の遮蔽を設定してください"): "Set the reference shielding of this element",
    ("CResultsPanel", "計算結果"): "Results",
    ("CResultsPanel", "値で色分け(&C)"): "&Colour by value",
    ("CResultsPanel", "値を表示(&L)"): "&Label with value",
    ("CResultsPanel", "原子"): "Atom",
    ("CResultsPanel", "元素"): "Element",
    ("CResultsPanel", "値"): "Value",
    ("CResultsPanel", "電荷・スピン"): "Charges and Spins",
    ("CResultsPanel", "項目"): "Quantity",
    ("CResultsPanel", "熱化学"): "Thermochemistry",
    ("CResultsPanel", "遮蔽 σ (ppm)"): "Shielding σ (ppm)",
    ("CResultsPanel", "異方性 (ppm)"): "Anisotropy (ppm)",
    ("CResultsPanel", "シフト δ (ppm)"): "Shift δ (ppm)",
    ("CResultsPanel", "シフトは NMR スペクトルの窓で設定した基準の遮蔽から求めます"): "Shifts are taken against the reference shieldings set in the NMR spectrum window",
    ("CResultsPanel", "状態"): "State",
    ("CResultsPanel", "対称"): "Symmetry",
    ("CResultsPanel", "主な遷移"): "Transitions",
    ("CResultsPanel", "励起状態"): "Excited States",
    ("CResultsPanel", "出力の一部が欠けています: %1"): "Part of the output is missing: %1",
    ("CResultsPanel", "%1 電荷"): "%1 charges",
    ("CResultsPanel", "%1 スピン密度"): "%1 spin densities",
    ("CResultsPanel", "NMR 化学シフト (ppm)"): "NMR shifts (ppm)",
    ("CResultsPanel", "温度 (K)"): "Temperature (K)",
    ("CResultsPanel", "圧力 (atm)"): "Pressure (atm)",
    ("CResultsPanel", "零点補正"): "Zero-point correction",
    ("CResultsPanel", "エネルギーの熱補正"): "Thermal correction to energy",
    ("CResultsPanel", "エンタルピーの熱補正"): "Thermal correction to enthalpy",
    ("CResultsPanel", "ギブズ自由エネルギーの熱補正"): "Thermal correction to Gibbs free energy",
    ("CResultsPanel", "電子エネルギー + 零点エネルギー"): "Electronic + zero-point energy",
    ("CResultsPanel", "電子エネルギー + 熱エネルギー"): "Electronic + thermal energy",
    ("CResultsPanel", "電子エネルギー + エンタルピー"): "Electronic + thermal enthalpy",
    ("CResultsPanel", "電子エネルギー + 自由エネルギー"): "Electronic + thermal free energy",
    ("CResultsPanel", "一重項"): "Singlet",
    ("CResultsPanel", "二重項"): "Doublet",
    ("CResultsPanel", "三重項"): "Triplet",
    ("CResultsPanel", "四重項"): "Quartet",
    ("CResultsPanel", "五重項"): "Quintet",
    ("CSpectrumView", "活性"): "Activity",
    ("CSpectrumView", "種類(&K):"): "&Kind:",
    ("CSpectrumView", "振動数の倍率(&S):"): "Frequency &scale:",
    ("CSpectrumView", "レーザー(&L):"): "&Laser:",
    ("CSpectrumView", "温度(&T):"): "&Temperature:",
    ("CSpectrumView", "横軸(&A):"): "&Axis:",
    ("CSpectrumView", "元素(&E):"): "&Element:",
    ("CSpectrumView", "基準の遮蔽(&R):"): "&Reference shielding:",
    ("CSpectrumView", "IR"): "IR",
    ("CSpectrumView", "ラマン"): "Raman",
    ("CSpectrumView", "UV-Vis"): "UV-Vis",
    ("CSpectrumView", "ECD"): "ECD",
    ("CSpectrumView", "NMR"): "NMR",
    ("CSpectrumView", "波数 (cm⁻¹、倍率 %1)"): "Wavenumber (cm⁻¹, scaled by %1)",
    ("CSpectrumView", "化学シフト δ (ppm)"): "Chemical shift δ (ppm)",
    ("CSpectrumView", "波長 (nm)"): "Wavelength (nm)",
    ("CSpectrumView", "励起エネルギー (eV)"): "Excitation energy (eV)",
    ("CSpectrumView", "ラマン強度 (最大を 100)"): "Raman intensity (strongest 100)",
    ("CSpectrumView", "ラマン活性 (Å⁴/amu)"): "Raman activity (Å⁴/amu)",
    ("CSpectrumView", "ε (L mol⁻¹ cm⁻¹)"): "ε (L mol⁻¹ cm⁻¹)",
    ("CSpectrumView", "Δε (L mol⁻¹ cm⁻¹)"): "Δε (L mol⁻¹ cm⁻¹)",
    ("CSpectrumView", "原子数"): "Atoms",
    ("CSpectrumView", "%1i cm⁻¹ (虚数)"): "%1i cm⁻¹ (imaginary)",
    ("CSpectrumView", "%1 cm⁻¹"): "%1 cm⁻¹",
    ("CSpectrumView", "振動 %1 (%2): %3"): "Mode %1 (%2): %3",
    ("CSpectrumView", "励起状態 %1 (%2): %3 eV, %4 nm, f = %5"): "Excited state %1 (%2): %3 eV, %4 nm, f = %5",
    ("CSpectrumView", "原子 %1 (%2): δ = %3 ppm, σ = %4 ppm"): "Atom %1 (%2): δ = %3 ppm, σ = %4 ppm",
    ("CSpectrumView", "このスペクトルのデータがありません"): "No data for this spectrum",
    ("Command", "振動解析のラマン活性からラマンスペクトルを表示します\nラマンスペクトル"): "Shows the Raman spectrum from the Raman activities of the frequency job\nRaman Spectrum",
    ("Command", "励起状態の UV-Vis スペクトルと ECD スペクトルを表示します\nUV-Vis・ECD スペクトル"): "Shows the UV-Vis and ECD spectra of the excited states\nUV-Vis and ECD Spectra",
    ("Command", "NMR の化学シフトを元素ごとに表示します\nNMR スペクトル"): "Shows the NMR shifts of one element at a time\nNMR Spectrum",
    ("Menu", "ラマンスペクトル(&R)"): "&Raman Spectrum",
    ("Menu", "UV-Vis・ECD スペクトル(&U)"): "&UV-Vis and ECD Spectra",
    ("Menu", "NMR スペクトル(&N)"): "&NMR Spectrum",
    ("COrbitalPanel", "軌道と密度"): "Orbitals and Densities",
    ("COrbitalPanel", "番号"): "No.",
    ("COrbitalPanel", "スピン"): "Spin",
    ("COrbitalPanel", "エネルギー (hartree)"): "Energy (hartree)",
    ("COrbitalPanel", "エネルギー (eV)"): "Energy (eV)",
    ("COrbitalPanel", "占有数"): "Occupation",
    ("COrbitalPanel", "軌道を表示"): "Show Orbital",
    ("COrbitalPanel", "全電子密度"): "Total Density",
    ("COrbitalPanel", "スピン密度"): "Spin Density",
    ("COrbitalPanel", "格子間隔 (bohr)"): "Grid spacing (bohr)",
    ("COrbitalPanel", "余白 (bohr)"): "Margin (bohr)",
    ("COrbitalPanel", "表示する格子"): "Grid shown",
    ("COrbitalPanel", "等値面の値"): "Isovalue",
    ("COrbitalPanel", "半透明"): "Translucent",
    ("COrbitalPanel", "色付けする格子"): "Colour by grid",
    ("COrbitalPanel", "キューブファイルに保存..."): "Save Cube File...",
    ("COrbitalPanel", "キューブファイルを追加..."): "Add Cube File...",
    ("COrbitalPanel", "基底関数 %1 個、電荷 %2、多重度 %3"): "%1 basis functions, charge %2, multiplicity %3",
    ("COrbitalPanel", "軌道を読めませんでした: %1"): "The orbitals could not be read: %1",
    ("COrbitalPanel", "軌道はありません"): "No orbitals",
    ("COrbitalPanel", "なし"): "None",
    ("COrbitalPanel", "格子を作れません: %1"): "Cannot make the grid: %1",
    ("COrbitalPanel", "%1 を計算しています..."): "Computing %1...",
    ("COrbitalPanel", "キャンセル"): "Cancel",
    ("COrbitalPanel", "計算できませんでした: %1"): "Could not compute: %1",
    ("COrbitalPanel", "ファイルの格子 %1 がありません"): "The file has no grid %1",
    ("COrbitalPanel", "%1 に格子 %2 がありません"): "%1 has no grid %2",
    ("COrbitalPanel", "%1: このファイルには軌道係数がありません"): "%1: this file has no orbital coefficients",
    ("CMolDoc", "セッション %1 の格子のうち作れなかったもの:\n%2"): "Grids of the session %1 that could not be made:\n%2",
    ("CMolDoc", "軌道を読み込めませんでした: %1 (%2)"): "The orbitals could not be read: %1 (%2)",
    ("CAboutDlg", "RAVEK のバージョン情報"): "About RAVEK",
    ("UserGuideWindow", "RAVEK ユーザーガイド"): "RAVEK user guide",
    ("CAboutDlg", "RAVEK バージョン %1"): "RAVEK version %1",
    ("CAboutDlg", "分子構造ビューア"): "Molecular-structure viewer",
    ("CAboutDlg", "Pralt Software のホームページ"): "Pralt Software home page",
    ("CAngleDlg", "角度"): "Angle",
    ("CBondDlg", "距離"): "Distance",
    ("CDihedralDlg", "二面角"): "Dihedral",
    (None, "一般"): "General",
    ("CDispGeneralPage", "画質"): "Quality",
    ("CDispGeneralPage", "アンチエイリアス処理"): "Antialiasing",
    ("CDispGeneralPage", "解像度"): "Resolution",
    ("CDispGeneralPage", "アニメーション"): "Animation",
    ("CDispGeneralPage", "アニメーション画像を保存"): "Save animation pictures",
    ("CDispGeneralPage", "タイトル"): "Title",
    ("CDispGeneralPage", "初期カウント"): "First number",
    ("CDispGeneralPage", "分子"): "Molecule",
    ("CDispGeneralPage", "原子を非表示"): "Hide atoms",
    ("CDispGeneralPage", "表示分子番号"): "Geometry shown",
    ("CDispGeneralPage", "原子の大きさ"): "Atom size",
    ("CDispGeneralPage", "結合の太さ"): "Bond width",
    (None, "ワイヤーフレーム"): "Wire frame",
    (None, "ボール＆スティック"): "Ball and stick",
    ("CDispResPage", "残基"): "Residues",
    ("CDispResPage", "表示"): "Show",
    ("CDispResPage", "非表示"): "Hide",
    ("CDispResPage", "全表示"): "Show all",
    ("CDispSheet", "表示設定"): "Display Settings",
    ("CMainFrame", "ツールバー"): "Toolbar",
    ("CModeListDlg", "基準振動"): "Normal Modes",
    ("CModeListDlg", "番号"): "No.",
    ("CModeListDlg", "対称性"): "Symmetry",
    ("CModeListDlg", "振動数 (cm⁻¹)"): "Frequency (cm⁻¹)",
    (None, "IR 強度 (km/mol)"): "IR intensity (km/mol)",
    ("CModeListDlg", " 秒"): " s",
    ("CModeListDlg", " 倍"): "×",
    ("CModeListDlg", "再生"): "Play",
    ("CModeListDlg", "振幅(&A):"): "&Amplitude:",
    ("CModeListDlg", "周期(&P):"): "&Period:",
    ("CModeListDlg", "矢印の倍率(&S):"): "Arrow &scale:",
    ("CModeListDlg", "停止"): "Stop",
    ("CMolDoc", "原子と座標の行として読めません"): "cannot be read as an atom and its coordinates",
    ("CMolDoc", "変数 %1 が定義されていません"): "variable %1 is not defined",
    ("CMolDoc", "参照 %1 がそれより前の原子ではありません"):
        "reference %1 is not an earlier atom",
    ("CMolDoc", "位置が定まりません (参照原子が一直線上か重なっている、角度が合わない、"
                "または距離が正でない)"):
        "the position is undefined (reference atoms in a line or on one another, angles that "
        "do not fit, or a distance that is not positive)",
    ("CMolDoc", "Z-matrix の %1 行目: %2"): "Z-matrix line %1: %2",
    ("CMolDoc", "ファイルの種類を拡張子から判断できません"):
        "The file's type cannot be told from its extension",
    ("CMolDoc", "分子が大きすぎてメモリに収まりません"):
        "The molecule is too large for the memory",
    ("CMolDoc", "読み込めませんでした"): "Could not be read",
    ("CMolDoc", "ATOM・HETATM レコードがありません"): "no ATOM or HETATM records",
    ("CMolDoc", "atom_site の行がありません"): "no atom_site rows",
    ("CMolDoc", "原子座標が見つかりません"): "no atomic coordinates found",
    ("CMolDoc", "mmCIF として読めません: %1"): "cannot be read as mmCIF: %1",
    ("CMolDoc", "cube ファイルとして読めません: %1"): "cannot be read as a cube file: %1",
    ("CMolDoc", "フォーマット済みチェックポイントファイルとして読めません: %1"):
        "cannot be read as a formatted checkpoint file: %1",
    ("CMolDoc", "%1 ファイルです。このバージョンでは読み込めません"):
        "a %1 file, which this version does not read",
    ("CMolDoc", "ORCA"): "ORCA",
    ("CMolDoc", "ORCA 入力ファイル"): "ORCA Input File",
    ("CMolDoc", "キーワード行 (メソッド、基底関数、計算の種類):"):
        "Keyword line (method, basis set, job type):",
    ("CMolDoc", "基準振動を読み込めませんでした: %1 (%2)"): "Could not read the normal modes: %1 (%2)",
    ("CMolDoc", "原子の行に読み取れる座標がありません"): "no atom row has readable coordinates",
    ("CMolDoc", "原子の位置が結晶格子の分数座標だけで書かれています (小分子の CIF)。"
                "分数座標は読み込みません"):
        "the atoms' positions are fractional coordinates of a crystal's cell only (a "
        "small-molecule CIF), which are not read",
    ("CMolDoc", "原子がありません"): "no atoms",
    ("CMolDoc", "分子データを読み込めませんでした: %1 (%2)"):
        "Could not read molecule data: %1 (%2)",
    ("CMolDoc", "読み取れない原子の行を %1 行飛ばしました (%2)"):
        "Skipped %1 unreadable atom lines (%2)",
    ("CMolDoc", "モデルごとに原子が異なるため、%1 モデルのうち最初のモデルだけを読み込みました (%2)"):
        "The models hold different atoms: only the first of %1 models was read (%2)",
    ("CMolDoc", "追加されたステップがメモリに収まりません (%1)"):
        "The steps added do not fit in the memory (%1)",
    ("CMolDoc", "設定"): "Settings",
    ("CMolDoc", "%1 の拡張子から保存形式を決められません。\n"
                ".com, .gjf, .pdb, .ent, .rpd のいずれかを付けてください。"):
        "The format to save %1 in cannot be told from its extension.\n"
        "Add one of .com, .gjf, .pdb, .ent or .rpd.",
    ("CMolDoc", "%1 は既に存在します。\n上書きしますか?"):
        "%1 already exists.\nDo you want to replace it?",
    ("CMolView", "ステップ %1 / %2"): "Step %1 / %2",
    ("CMolView", "  収束"): "  converged",
    ("CMolView", "  未収束"): "  not converged",
    ("CMolView", "PDBデータですが、ボール&スティックで表示しますか?"):
        "This is PDB data. Draw it as ball and stick?",
    ("CMolView", "二面角が決定できません"): "The dihedral angle cannot be determined",
    ("CMolView", "基準振動"): "Normal Modes",
    ("CMolView", "基準振動 - "): "Normal Modes - ",
    ("COptChartView", "最大力"): "Maximum force",
    ("COptChartView", "RMS 力"): "RMS force",
    ("COptChartView", "最大変位"): "Maximum displacement",
    ("COptChartView", "RMS 変位"): "RMS displacement",
    ("COptChartView", "エネルギー (kcal/mol, 最初のステップから)"):
        "Energy (kcal/mol, from the first step)",
    ("COptChartView", "エネルギーがありません"): "No energies",
    ("COptChartView", "収束の値 (対数目盛、破線はしきい値)"):
        "Convergence values (log scale, dashed: thresholds)",
    ("COptChartView", "収束の表がありません"): "No convergence tables",
    ("CPropGeneralPage", "初期設定値で起動"): "Start with the initial settings",
    ("CPropGeneralPage", "起動時最大化"): "Open windows maximised",
    ("CPropGeneralPage", "警告レベル"): "Warning level",
    ("CPropGeneralPage", "低"): "Low",
    ("CPropGeneralPage", "高"): "High",
    ("CPropGeneralPage", "デスクトップに合わせる"): "As the desktop's",
    ("CPropGeneralPage", "言語 (次回の起動から)"): "Language (from the next start)",
    ("CPropPDBPage", "CONNECT情報を使用"): "Use CONECT records",
    ("CPropPDBPage", "タンパク用高速結合リスト"): "Fast bond list for proteins",
    ("CRavekApp", "ユーザーガイドを開けません。\n%1"): "The user guide cannot be opened.\n%1",
    ("CSpectrumView", "半値半幅(&W):"): "Half &width at half height:",
    ("CSpectrumView", "IR 強度のある振動がありません"): "No modes with an IR intensity",
    ("CSpectrumView", "波数 (cm⁻¹)"): "Wavenumber (cm⁻¹)",
    ("CSpectrumView", "ホイールで拡大・縮小、ダブルクリックで全体を表示します"):
        "The wheel zooms in and out; a double click shows the whole range",
    ("Command", "新規にファイルを作成します\n新規作成"): "Create a new document\nNew",
    ("Command", "既存のファイルを開きます\n開く"): "Open an existing file\nOpen",
    ("Command", "作業中のファイルを閉じます\n閉じる"): "Close the active document\nClose",
    ("Command", "作業中のファイルを上書きして保存します\n上書き保存"):
        "Save the active document\nSave",
    ("Command", "作業中のファイルを新しい名前で保存します\n名前を付けて保存"):
        "Save the active document under a new name\nSave As",
    ("Command", "表示画像を保存\n画像保存"): "Save the picture shown\nSave Picture",
    ("Command", "大きさ、解像度、透明な背景を選んで表示画像を保存します\n画像保存 (サイズ指定)"):
        "Save the picture shown at a size, resolution and background chosen\n"
        "Save Picture at a Size",
    ("Command", "作業中のファイルを印刷します\n印刷"): "Print the active document\nPrint",
    ("Command", "フル ページ表示します\n印刷プレビュー"): "Show full pages\nPrint Preview",
    ("Command", "プリンタおよび印刷オプションを変更します\n印刷設定"):
        "Change the printer and printing options\nPrint Setup",
    ("Command", "このファイルを開きます"): "Open this file",
    ("Command", "アプリケーションを終了します\n終了"): "Quit the application\nExit",
    ("Command", "直前に行った動作を元に戻します\n元に戻す"): "Undo the last action\nUndo",
    ("Command", "選択範囲を切り取ってクリップボードに移動します\n切り取り"):
        "Cut the selection to the clipboard\nCut",
    ("Command", "選択範囲をコピーしてクリップボードに保存します\nコピー"):
        "Copy the selection to the clipboard\nCopy",
    ("Command", "クリップボードの内容を挿入します\n貼り付け"):
        "Insert the clipboard's contents\nPaste",
    ("Command", "RAVEKの設定を行います\nRAVEK設定"): "Change RAVEK's settings\nRAVEK Settings",
    ("Command", "ワイヤーフレームで表示します\nワイヤーフレーム"): "Draw as wire frame\nWire Frame",
    ("Command", "ボール&スティックで表示します\nボール&スティック"):
        "Draw as ball and stick\nBall and Stick",
    ("Command", "リボンで表示します表示\nリボン"): "Draw the backbone as a ribbon\nRibbon",
    ("Command", "振動解析の結果を表示します\n振動解析の結果表示"):
        "Show the result of the frequency analysis\nVibration",
    ("Command", "分子表示のアニメーションを行います\n分子表示のアニメーション"):
        "Step through the geometries\nAnimation",
    ("Command", "基準振動の一覧を表示し、振動を選んで動かします\n基準振動"):
        "List the normal modes and animate the one chosen\nNormal Modes",
    ("Command", "水素原子を表示します\n水素原子表示"): "Show hydrogen atoms\nHydrogen Atoms",
    ("Command", "全原子のラベルを表示します\n全原子のラベル表示"):
        "Label every atom\nLabel All Atoms",
    ("Command", "ラベルをクリアします\nラベルのクリア"): "Clear the labels\nClear Labels",
    ("Command", "原子ごとに色分けします\n原子ごとの色分け"): "Colour by element\nColour by Atom",
    ("Command", "残基ごとに色分けします\n残基ごとの色分け"):
        "Colour by residue\nColour by Residue",
    ("Command", "背景色を設定します\n背景色の設定"):
        "Choose the background colour\nBackground Colour",
    ("Command", "文字色を設定します\n文字色の設定"): "Choose the label colour\nLabel Colour",
    ("Command", "表示の設定を行います\n表示設定"): "Change the display settings\nDisplay Settings",
    ("Command", "ウィンドウ位置を保存します\nウィンドウ位置保存"):
        "Save the window position\nSave Window Position",
    ("Command", "初期設定の位置に戻します\n初期設定位置"):
        "Return to the default position\nDefault Position",
    ("Command", "ツール バーの表示/非表示を切り替えます\nツール バーの表示/非表示"):
        "Show or hide the toolbar\nToggle Toolbar",
    ("Command", "ステータス バーの表示/非表示を切り替えます\nステータス バーの表示/非表示"):
        "Show or hide the status bar\nToggle Status Bar",
    ("Command", "ペプチドのコンフォメーションを調べます\nペプチド構造"):
        "Examine the peptide's conformation\nPeptide Structure",
    ("Command", "振動解析の IR スペクトルを表示します\nIR スペクトル"):
        "Show the IR spectrum of the frequency analysis\nIR Spectrum",
    ("Command", "分子を最初の向きと大きさに戻します\n視点を戻す"):
        "Turn and size the molecule as it first fitted\nReset View",
    ("Command", "ウィンドウを画面全体に表示します。もう一度で元に戻ります\n全画面表示"):
        "Show the window on the whole screen; again to return\nFull Screen",
    ("Command", "作業中のウィンドウを閉じます\nウィンドウを閉じる"):
        "Close the active window\nClose Window",
    ("Command", "書き込み中の出力ファイルに新しいステップが加わるたびに、そのステップを表示します\n"
                "最新のステップを追う"):
        "Show each new step as the running job writes it to its output\nFollow Newest Step",
    ("Command", "最適化の各ステップのエネルギーと収束の値をグラフで表示します\n最適化の経過"):
        "Chart the energy and convergence values of each optimisation step\n"
        "Optimisation Progress",
    ("Command", "各ステップのエネルギーと収束の値をテキストで保存します\n経過データ保存"):
        "Save the energy and convergence values of each step as text\nSave Progress Data",
    ("Command", "スペクトルの曲線を 2 列のテキストで保存します\nスペクトルデータ保存"):
        "Save the spectrum's curve as two columns of text\nSave Spectrum Data",
    ("Command", "作業中のウィンドウを複写して表示します\n新しいウィンドウ"):
        "Open another window of the active document\nNew Window",
    ("Command", "アイコンを整列します\nアイコンの整列"): "Arrange the icons\nArrange Icons",
    ("Command", "ウィンドウを重ねて表示します\n重ねて表示"): "Cascade the windows\nCascade",
    ("Command", "ウィンドウを並べて表示します\n並べて表示"): "Tile the windows\nTile",
    ("Command", "プログラム情報、バージョン、著作権を表示します\nバージョン情報"):
        "Show the program's information, version and copyright\nAbout",
    ("Command", "ヘルプ トピックの一覧を表示します\nヘルプ トピック"):
        "Open the user guide\nHelp Topics",
    ("Command", "ボタン、メニュー、ウィンドウのヘルプを表示します\nヘルプ"):
        "Show help on buttons, menus and windows\nHelp",
    ("DataExchange", "整数を入力してください。"): "Enter a whole number.",
    ("DataExchange", "%1 から %2 までの整数を入力してください。"):
        "Enter a whole number from %1 to %2.",
    ("DataExchange", "%1 文字以内で入力してください。"): "Enter at most %1 characters.",
    ("DocTemplate", "無題"): "Untitled",
    ("MeasureDialog", "ｷｬﾝｾﾙ"): "Cancel",
    ("Menu", "最近使ったファイル"): "Recent Files",
    ("Menu", "ウィンドウ位置(&W)"): "&Window Position",
    ("Menu", "保存(&S)"): "&Save",
    ("Menu", "初期設定(&D)"): "&Default",
    ("Menu", "ウィンドウ(&W)"): "&Window",
    ("Menu", "新しいウィンドウを開く(&N)"): "&New Window",
    ("Menu", "重ねて表示(&C)"): "&Cascade",
    ("Menu", "並べて表示(&T)"): "&Tile",
    ("Menu", "アイコンの整列(&A)"): "&Arrange Icons",
    ("Menu", "ウィンドウを閉じる(&L)\tCtrl+W"): "C&lose Window\tCtrl+W",
    ("Menu", "ヘルプ(&H)"): "&Help",
    ("Menu", "トピックの検索(&H)"): "&Help Topics",
    ("Menu", "バージョン情報(&A)..."): "&About RAVEK...",
    ("Menu", "新規作成(&N)\tCtrl+N"): "&New\tCtrl+N",
    ("Menu", "開く(&O)...\tCtrl+O"): "&Open...\tCtrl+O",
    ("Menu", "閉じる(&C)"): "&Close",
    ("Menu", "印刷(&P)...\tCtrl+P"): "&Print...\tCtrl+P",
    ("Menu", "印刷プレビュー(&V)"): "Print Pre&view",
    ("Menu", "プリンタの設定(&R)..."): "P&rint Setup...",
    ("Menu", "終了(&X)"): "E&xit",
    ("Menu", "ファイル(&F)"): "&File",
    ("Menu", "上書き保存(&S)\tCtrl+S"): "&Save\tCtrl+S",
    ("Menu", "名前を付けて保存(&A)..."): "Save &As...",
    ("Menu", "画像保存(&I)"): "Save P&icture",
    ("Menu", "画像保存 (サイズ指定)(&Z)..."): "Save Picture at a Si&ze...",
    ("JobStateText", "実行中"): "running",
    ("JobStateText", "エラー終了"): "ended with an error",
    ("Menu", "元に戻す(&U)\tCtrl+Z"): "&Undo\tCtrl+Z",
    ("Menu", "切り取り(&T)\tCtrl+X"): "Cu&t\tCtrl+X",
    ("Menu", "コピー(&C)\tCtrl+C"): "&Copy\tCtrl+C",
    ("Menu", "貼り付け(&P)\tCtrl+V"): "&Paste\tCtrl+V",
    ("Menu", "設定(&S)"): "&Settings",
    ("Menu", "編集(&E)"): "&Edit",
    ("Menu", "ツールバー(&T)"): "&Toolbar",
    ("Menu", "ステータスバー(&S)"): "&Status Bar",
    ("Menu", "全画面表示(&U)\tF11"): "F&ull Screen\tF11",
    ("Menu", "表示(&V)"): "&View",
    ("Menu", "分子表示モード(&M)"): "&Molecule Style",
    ("Menu", "ワイヤーフレーム"): "Wire Frame",
    ("Menu", "ボール＆スティック"): "Ball and Stick",
    ("Menu", "リボン"): "Ribbon",
    ("Menu", "振動解析"): "Vibration",
    ("Menu", "アニメーション(&A)"): "&Animation",
    ("Menu", "基準振動(&N)..."): "N&ormal Modes...",
    ("Menu", "水素原子表示"): "Hydrogen Atoms",
    ("Menu", "ラベル(&L)"): "&Labels",
    ("Menu", "全原子表示(&A)"): "&All Atoms",
    ("Menu", "クリア(&C)"): "&Clear",
    ("Menu", "色分け(&C)"): "&Colour by",
    ("Menu", "原子(&A)"): "&Atom",
    ("Menu", "残基(&R)"): "&Residue",
    ("Menu", "背景色(&B)"): "&Background Colour",
    ("Menu", "文字色(&R)"): "Label Colou&r",
    ("Menu", "表示設定(&P)"): "&Display Settings",
    ("Menu", "視点を戻す(&H)\tHome"): "Reset &View\tHome",
    ("Menu", "解析(&A)"): "&Analysis",
    ("Menu", "ペプチド構造(&P)"): "&Peptide Structure",
    ("Menu", "IR スペクトル(&I)"): "&IR Spectrum",
    ("Menu", "最適化の経過(&O)"): "&Optimisation Progress",
    ("Menu", "最新のステップを追う(&F)"): "&Follow Newest Step",
    ("Menu", "経過データ保存(&D)..."): "Save Progress &Data...",
    ("Menu", "スペクトルデータ保存(&D)..."): "Save Spectrum &Data...",
    ("Menu", "GIF 動画保存(&G)..."): "Save &GIF Movie...",
    ("Menu", "MP4 動画保存(&M)..."): "Save &MP4 Movie...",
    ("Command", "最適化の経過か基準振動を GIF 動画に保存します\nGIF 動画保存"):
        "Save the optimisation or a normal mode as a GIF movie\nSave GIF Movie",
    ("Command", "最適化の経過か基準振動を MP4 動画に保存します (ffmpeg を使います)\nMP4 動画保存"):
        "Save the optimisation or a normal mode as an MP4 movie (with ffmpeg)\nSave MP4 Movie",
    ("CMolView", "動画を書き出しています..."): "Writing the movie...",
    ("CMolView", "キャンセル"): "Cancel",
    ("CMolView", " (ffmpeg が見つかりません)"): " (ffmpeg not found)",
    ("CMovieDlg", "GIF 動画保存"): "Save GIF Movie",
    ("CMovieDlg", "MP4 動画保存"): "Save MP4 Movie",
    ("CMovieDlg", "内容"): "Content",
    ("CMovieDlg", "最適化の経過: ステップ"): "Optimisation: steps",
    ("CMovieDlg", "基準振動: 番号"): "Normal mode: number",
    ("CMovieDlg", "1 周期のコマ数"): "Frames per period",
    ("CMovieDlg", "繰り返し再生する"): "Play again and again",
    ("CMovieDlg", "コマの大きさ"): "Frame size",
    ("CMovieDlg", "コマ/秒"): "Frames per second",
    ("CPictureOptionsDlg", "画像の設定"): "Picture Options",
    ("CPictureOptionsDlg", "大きさ"): "Size",
    ("CPictureOptionsDlg", "ウィンドウと同じ (%1 × %2)"): "As the window (%1 × %2)",
    ("CPictureOptionsDlg", "ウィンドウの"): "The window's size ×",
    ("CPictureOptionsDlg", "幅 × 高さ"): "Width × height",
    ("CPictureOptionsDlg", "%1 倍"): "%1",
    ("CPictureOptionsDlg", "書き込まない"): "not written",
    ("CPictureOptionsDlg", "背景を透明にする"): "Transparent background",
    ("CPictureOptionsDlg", "解像度"): "Resolution",
    ("MessageBox", "はい(&Y)"): "&Yes",
    ("MessageBox", "いいえ(&N)"): "&No",
    ("MessageBox", "ファイル %1 を開けません。\n%2"): "The file %1 cannot be opened.\n%2",
    ("MessageBox", "次のファイルを開けません。\n%1"): "These files cannot be opened:\n%1",
    ("MessageBox", "ほか %1 個のファイル"): "and %1 more files",
    ("MessageBox", "ファイル %1 に保存できません。元のファイルは変更されていません。\n%2"):
        "Cannot save to the file %1. The file as it was is unchanged.\n%2",
    ("PropertySheet", "キャンセル"): "Cancel",
    ("Status", "レディ"): "Ready",
    ("CPathChartView", "反応経路"): "Reaction path",
    ("CPathChartView", "エネルギー (%1, 最も低い点から)"): "Energy (%1, from the lowest point)",
    ("CPathChartView", "反応座標 (amu^1/2 bohr)"): "Reaction coordinate (amu^1/2 bohr)",
    ("CPathChartView", "スキャンの点"): "Scan point",
    ("CPathChartView", "スキャンも IRC もありません"): "No scan or IRC",
    ("CPathChartView", "計測値 (%1): %2"): "Measurements (%1): %2",
    ("Command", "複数の出力ファイルのエネルギー、ボルツマン分布の重みと重み付きスペクトルを一つのウィンドウで比べます\nジョブを比較"):
        "Compare the energies, Boltzmann weights and weighted spectra of several output files in one window\nCompare Jobs",
    ("Command", "スキャンや IRC の各点のエネルギーを座標に沿ってグラフで表示します\n反応経路"):
        "Show the energy of each point of a scan or an IRC along its coordinate\nReaction Path",
    ("Command", "経路の各点の座標、エネルギーと計測値をテキストで保存します\n経路データ保存"):
        "Save the coordinate, energy and measurements of each point of the path as text\nSave Path Data",
    ("Command", "エネルギーを hartree で表示します\nhartree"): "Show energies in hartree\nhartree",
    ("Command", "エネルギーを kJ/mol で表示します\nkJ/mol"): "Show energies in kJ/mol\nkJ/mol",
    ("Command", "エネルギーを kcal/mol で表示します\nkcal/mol"): "Show energies in kcal/mol\nkcal/mol",
    ("Command", "経路の点を反応の順にアニメーションで表示します\n経路に沿ってアニメーション"):
        "Animate the points of the path in reaction order\nAnimate Along the Path",
    ("JobSetChart", "相対エネルギー (%1)"): "Relative energy (%1)",
    ("JobSetChart", "ジョブを追加してください"): "Add jobs to compare",
    ("JobSetChart", "計算 (重み付き)"): "Computed (weighted)",
    ("JobSetChart", "実測 (%1 %2, ×%3)"): "Measured (%1 %2, ×%3)",
    ("Menu", "ジョブを比較(&J)..."): "Compare &Jobs...",
    ("Menu", "反応経路(&W)"): "Reaction Path&way",
    ("Menu", "経路データ保存(&D)..."): "Save Path &Data...",
    ("Menu", "経路(&P)"): "&Path",
    ("Menu", "hartree(&H)"): "&hartree",
    ("Menu", "kJ/mol(&J)"): "k&J/mol",
    ("Menu", "kcal/mol(&K)"): "&kcal/mol",
    ("Menu", "経路に沿ってアニメーション(&A)"): "&Animate Along the Path",
    ("CMovieDlg", "反応経路: 反応の順に %1 点"): "Reaction path: %1 points in reaction order",
    ("JobSetWindow", "ジョブの比較"): "Compare Jobs",
    ("JobSetWindow", "ファイルを追加(&A)..."): "&Add Files...",
    ("JobSetWindow", "除く(&R)"): "&Remove",
    ("JobSetWindow", "電子エネルギー"): "Electronic energy",
    ("JobSetWindow", "エンタルピー"): "Enthalpy",
    ("JobSetWindow", "自由エネルギー"): "Free energy",
    ("JobSetWindow", "スペクトルなし"): "No spectrum",
    ("JobSetWindow", "IR"): "IR",
    ("JobSetWindow", "ラマン"): "Raman",
    ("JobSetWindow", "UV-Vis"): "UV-Vis",
    ("JobSetWindow", "ECD"): "ECD",
    ("JobSetWindow", "実測スペクトル(&E)..."): "M&easured Spectrum...",
    ("JobSetWindow", "ずらして合わせる(&F)"): "Shift to &fit",
    ("JobSetWindow", "ジョブ"): "Job",
    ("JobSetWindow", "計算レベル"): "Level of theory",
    ("JobSetWindow", "E (hartree)"): "E (hartree)",
    ("JobSetWindow", "H (hartree)"): "H (hartree)",
    ("JobSetWindow", "G (hartree)"): "G (hartree)",
    ("JobSetWindow", "相対"): "Relative",
    ("JobSetWindow", "重み"): "Weight",
    ("JobSetWindow", "基準:"): "Reference:",
    ("JobSetWindow", "温度:"): "Temperature:",
    ("JobSetWindow", "次のファイルからはジョブを読めませんでした:\n%1"): "No job could be read from these files:\n%1",
    ("JobSetWindow", "%1\nスペクトルを読めませんでした: %2"): "%1\nThe spectrum could not be read: %2",
    ("JobSetWindow", "スペクトル (*.txt; *.csv; *.dat; *.jdx; *.dx)|*.txt;*.csv;*.dat;*.jdx;*.dx|すべてのファイル (*.*)|*.*||"):
        "Spectra (*.txt; *.csv; *.dat; *.jdx; *.dx)|*.txt;*.csv;*.dat;*.jdx;*.dx|All Files (*.*)|*.*||",
    ("JobSetWindow", "最も低いジョブ"): "The lowest job",
    ("JobSetWindow", "計算レベルが揃っていません: %1"): "The jobs are at different levels of theory: %1",
    ("JobSetWindow", "熱化学は別の温度で計算されています (重みはその自由エネルギーによります)"):
        "The thermochemistry was computed at another temperature (the weights use its free energies)",
    ("JobSetWindow", "%1 個のジョブにはこのエネルギーがありません"): "%1 job(s) have no such energy",
    ("JobSetWindow", "エネルギー (eV)"): "Energy (eV)",
    ("JobSetWindow", "波数 (cm⁻¹)"): "Wavenumber (cm⁻¹)",
}


def messages(path):
    """(context, source) -> translation text of every message of a .ts file."""
    found = {}
    for context in ElementTree.parse(path).getroot().iter("context"):
        for message in context.iter("message"):
            translation = message.find("translation")
            unfinished = translation is None or translation.get("type") == "unfinished"
            found[(context.findtext("name"), message.findtext("source"))] = (
                None if unfinished else translation.text)
    return found


def texts_as_written():
    """The Japanese texts as the program showed them before they went
    through the translation (texts-as-written.txt)."""
    escapes = {"n": "\n", "t": "\t", "\\": "\\"}
    texts = []
    with open(pathlib.Path(__file__).with_name("texts-as-written.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("#"):
                continue
            texts.append(re.sub(r"\\(.)", lambda m: escapes.get(m.group(1), m.group(1)), line))
    return texts


def check(lupdate, root):
    committed = pathlib.Path(__file__).with_name("ravek_en.ts")
    with tempfile.TemporaryDirectory() as scratch:
        fresh = pathlib.Path(scratch) / "ravek_en.ts"
        shutil.copy(committed, fresh)
        subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none",
                        "-source-language", "ja_JP", "-target-language", "en_US",
                        *[str(pathlib.Path(root) / f) for f in TRANSLATED_FOLDERS],
                        "-ts", str(fresh)], check=True)
        now = messages(fresh)
    before = messages(committed)
    faults = [f"new text, not in the .ts file: {k}" for k in now.keys() - before.keys()]
    faults += [f"text no longer in the sources: {k}" for k in before.keys() - now.keys()]
    faults += [f"no English: {k}" for k, v in before.items() if not v]
    # The Japanese interface shows every text as it always did.
    sources = {source for _, source in before}
    faults += [f"a text as written is gone or changed: {t!r}" for t in texts_as_written()
               if t not in sources]
    if faults:
        sys.exit("\n".join(faults) + "\n(run lupdate and translations/fill_english.py)")
    print(f"{len(before)} texts, each with its English")


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--check":
        check(sys.argv[2], sys.argv[3])
        return
    path = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                        pathlib.Path(__file__).with_name("ravek_en.ts"))
    tree = ElementTree.parse(path)
    missing = []
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            english = ENGLISH.get((name, source), ENGLISH.get((None, source)))
            translation = message.find("translation")
            if english is None:
                missing.append(f"{name}: {source!r}")
                continue
            translation.text = english
            translation.attrib.pop("type", None)
    if missing:
        sys.exit("no English for:\n" + "\n".join(missing))
    tree.write(path, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main()
