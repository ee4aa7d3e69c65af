-- Products of a branch and whether a purchase of them may be posted without a purchase authorization (AF).
CREATE TABLE PARAMCMPPROD (
    CDFILIAL    VARCHAR(4)  NOT NULL REFERENCES FILIAL (CDFILIAL),
    CDPRODUTO   VARCHAR(10) NOT NULL REFERENCES PRODUTO (CDPRODUTO),
    IDBLOQNFSAF VARCHAR(1)  DEFAULT 'S',
    PRIMARY KEY (CDFILIAL, CDPRODUTO)
);

-- Stock inventories of a branch: while one is open ('A') from its date on, the branch's stock may not move.
CREATE TABLE INVENTARIO (
    CDFILIAL     VARCHAR(4) NOT NULL REFERENCES FILIAL (CDFILIAL),
    DTINVENTARIO DATE       NOT NULL,
    IDSITUINVE   VARCHAR(1) NOT NULL DEFAULT 'A',
    PRIMARY KEY (CDFILIAL, DTINVENTARIO)
);
