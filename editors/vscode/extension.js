// Starts `scenpack lsp` for the descriptions: the program from the setting
// scenpack.path (default: scenpack on the PATH), spoken to over stdio.
const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

let client;

function activate(context) {
  const command = vscode.workspace.getConfiguration('scenpack').get('path') || 'scenpack';
  const server = { command, args: ['lsp'], transport: TransportKind.stdio };
  client = new LanguageClient('scenpack', 'scenpack', server, {
    documentSelector: [{ scheme: 'file', language: 'scenpack' }],
  });
  client.start();
  context.subscriptions.push({ dispose: () => client && client.stop() });
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
