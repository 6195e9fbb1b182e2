// The jobs every browser is held to: what is typed, and the desktop's texts
// in the eleven fields it fills, in the order FIELDS names them.

export const FIELDS = ['Label33', 'Text1', 'Text2', 'Label8', 'Label16', 'Label9', 'Label17',
  'Label10', 'Label18', 'Label11', 'Label19'];

export const WORKED = [
  [['25', '0.12', 2], ['3.00', '25.00', '0.12', '21', '1.1', '80', '1.4', '112', '2.0', '38', '690'],
    'Volumen: 3.00 metros cúbicos. Cemento: 21 sacos. Cemento: 1.1 toneladas. Arena: 80 botes. '
    + 'Arena: 1.4 metros cúbicos. Grava: 112 botes. Grava: 2.0 metros cúbicos. Agua: 38 botes. '
    + 'Agua: 690 litros'],
  [['10', '0.10', 1], ['1.00', '10.00', '0.10', '6', '.3', '28', '.5', '38', '.7', '12', '215'],
    'Volumen: 1.00 metros cúbicos. Cemento: 6 sacos. Cemento: 0.3 toneladas. Arena: 28 botes. '
    + 'Arena: 0.5 metros cúbicos. Grava: 38 botes. Grava: 0.7 metros cúbicos. Agua: 12 botes. '
    + 'Agua: 215 litros'],
  [['1000000', '1000', 4], ['1000000000.00', '1000000.00', '1000.00', '9,340,000,000', '467000000.0',
    '25,833,333,333', '465000000.0', '35,555,555,556', '640000000.0', '11,666,666,667',
    '210,000,000,000'], null],
];

// The help and about dialogs: the menu item that opens each, and its button.
export const DIALOGS = [['mnuhelpconcrete', 'Form2', 'Form2-Command1'], ['mnuabout', 'Form3', 'Form3-Command1']];

// The fields' texts by id, as a page function: run inside the browser.
export function fieldTexts(ids) {
  return Object.fromEntries(ids.map((id) => [id, document.getElementById(id).value]));
}
