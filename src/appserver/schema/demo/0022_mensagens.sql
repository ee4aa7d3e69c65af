-- Registered additional-data messages; 001 is the one the first demo posting quotes. The last two are no longer
-- used (inactive).

INSERT INTO MENSAGEM (CDMENSAGEM, DSMENSAGEM, IDSITUACAOMENS) VALUES
    ('001', 'Mercadoria com temperatura controlada: conservar entre 2 e 8 graus.', 'A'),
    ('002', 'Documento emitido por ME ou EPP optante pelo Simples Nacional. Não gera direito a crédito fiscal de IPI.', 'A'),
    ('003', 'ICMS recolhido anteriormente por substituição tributária.', 'A'),
    ('004', 'Mercadoria recebida com avaria; ressalva registrada no conhecimento de transporte.', 'A'),
    ('005', 'Entrega agendada: recebimento de segunda a sexta, das 8h às 16h, na doca 3.', 'A'),
    ('006', 'Produto recebido com suspensão do IPI.', 'A'),
    ('007', 'Retorno de mercadoria remetida para industrialização por encomenda.', 'A'),
    ('008', 'Devolução de mercadoria em garantia, conforme laudo técnico anexo.', 'A'),
    ('009', 'Conferência física realizada pelo almoxarifado no ato do recebimento.', 'A'),
    ('010', 'Número do pedido de compra e da autorização de fornecimento informados no corpo da nota.', 'A'),
    ('011', 'Base de cálculo do ICMS reduzida conforme convênio estadual.', 'I'),
    ('012', 'Recebimento sujeito a inspeção de qualidade antes da liberação para o estoque.', 'I');
