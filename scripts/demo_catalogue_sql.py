#!/usr/bin/env python3
"""Writes the demo's product catalogue and purchase history.

    scripts/demo_catalogue_sql.py

Writes src/appserver/schema/demo/0017_catalogo_produtos.sql (brands, products over the three-level code tree,
each branch's catalogue, lots, the lots of an NF-e's items, the products of the service codes, the products of
the supplier that buys by product) and src/appserver/schema/demo/0018_historico_compras.sql (Curitiba's earlier
purchases, so that products have a last purchase cost). Everything is deterministic: running it again writes
the same files. One multi-row INSERT per table keeps the demo quick to load.
"""
import datetime
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEMO = os.path.join(ROOT, "src", "appserver", "schema", "demo")

BRANCHES = ["0001", "0002", "0003", "0004", "0005"]
LOT_BRANCHES = {"0001", "0002", "0003"}  # the branches that keep perishables by lot

# Brands: code, name, GS1 company prefix (after 789).
BRANDS = [
    ("00001", "Serra Azul", "2101"),
    ("00002", "Moinho Paulista", "2102"),
    ("00003", "Vale Verde", "2103"),
    ("00004", "Fazenda Nova", "2104"),
    ("00005", "Bom Grão", "2105"),
    ("00006", "Sabor da Roça", "2106"),
    ("00007", "Dourado", "2107"),
    ("00008", "Doce Lar", "2108"),
    ("00009", "Café Colonial", "2109"),
    ("00010", "Mar Azul", "2110"),
    ("00011", "Crocantino", "2111"),
    ("00012", "Bom Corte", "2112"),
    ("00013", "Santa Clara", "2113"),
    ("00014", "Tempero Mineiro", "2114"),
    ("00015", "Horizonte", "2115"),
    ("00016", "Fonte Clara", "2116"),
    ("00017", "Pomar do Sul", "2117"),
    ("00018", "Cervejaria Araucária", "2118"),
    ("00019", "Vinícola Serra Gaúcha", "2119"),
    ("00020", "Volt", "2120"),
    ("00021", "Nova Era", "2121"),
    ("00022", "Sorriso Branco", "2122"),
    ("00023", "Flor de Lis", "2123"),
    ("00024", "Maciez", "2124"),
    ("00025", "Brilho Total", "2125"),
    ("00026", "Casa Limpa", "2126"),
    ("00027", "Amigo Fiel", "2127"),
    ("00028", "Frio Sul", "2128"),
]
BRAND = {name: code for code, name, _ in BRANDS}
PREFIX = {name: prefix for _, name, prefix in BRANDS}

# Groups and subgroups: tree code, name and, for those the demo already had, their product code.
TREE = [
    ("1", "Alimentos", "0000000001"),
    ("1.01", "Laticínios", "0000000002"),
    ("1.02", "Farinhas e massas", "0000000003"),
    ("1.03", "Grãos e cereais", None),
    ("1.04", "Óleos e gorduras", None),
    ("1.05", "Açúcares e doces", None),
    ("1.06", "Café, chás e achocolatados", None),
    ("1.07", "Enlatados e conservas", None),
    ("1.08", "Biscoitos e salgadinhos", None),
    ("1.09", "Carnes, frios e ovos", None),
    ("1.10", "Temperos e molhos", None),
    ("1.11", "Congelados", None),
    ("2", "Bebidas", "0000000004"),
    ("2.01", "Refrigerantes", "0000000005"),
    ("2.02", "Águas", None),
    ("2.03", "Sucos e néctares", None),
    ("2.04", "Cervejas", None),
    ("2.05", "Vinhos e destilados", None),
    ("2.06", "Energéticos e isotônicos", None),
    ("3", "Materiais de embalagem", "0000000006"),
    ("3.01", "Caixas e fitas", "0000000007"),
    ("3.02", "Sacolas, sacos e filmes", None),
    ("3.03", "Descartáveis", None),
    ("4", "Higiene e beleza", None),
    ("4.01", "Higiene bucal", None),
    ("4.02", "Sabonetes e desodorantes", None),
    ("4.03", "Cabelos", None),
    ("4.04", "Papéis e fraldas", None),
    ("5", "Limpeza", None),
    ("5.01", "Roupas", None),
    ("5.02", "Louças", None),
    ("5.03", "Desinfetantes e multiuso", None),
    ("6", "Pet shop", None),
    ("6.01", "Rações e petiscos", None),
    ("9", "Uso, consumo e serviços", None),
    ("9.01", "Material de uso e consumo", None),
    ("9.02", "Serviços de manutenção", None),
    ("9.03", "Serviços de transporte", None),
    ("9.04", "Outros serviços", None),
]

# Subgroups whose products are perishable: kept by lot where the branch keeps lots, placed in the cold room.
COLD = {"1.01", "1.09", "1.11"}

# The products the demo already had: tree code -> product code, name, unit, conversion factor, NCM, brand and,
# for those that had none, the bar code they get (without its check digit). Their other columns stay.
EXISTING = {
    "1.01.001": ("0000000101", "Leite integral UHT 1 L", "UN", 1, "04012010", "Serra Azul", None),
    "1.01.002": ("0000000102", "Queijo muçarela fatiado", "KG", 1, "04061010", "Serra Azul", None),
    "1.01.003": ("0000000103", "Manteiga com sal 200 g", "UN", 1, "04051000", "Serra Azul", None),
    "1.02.001": ("0000000201", "Farinha de trigo tipo 1 5 kg", "FD", 5, "11010010", "Moinho Paulista", None),
    "1.02.002": ("0000000202", "Macarrão espaguete 500 g", "UN", 1, "19021900", "Moinho Paulista", None),
    "2.01.001": ("0000000301", "Refrigerante de cola 2 L", "UN", 1, "22021000", "Horizonte", None),
    "2.01.002": ("0000000302", "Água mineral sem gás 500 ml", "UN", 1, "22011000", "Fonte Clara", None),
    "3.01.001": ("0000000401", "Caixa de papelão ondulado 40x30x20", "UN", 1, "48191000", "Nova Era",
                 "789212100001"),
    "3.01.002": ("0000000402", "Fita adesiva transparente 45 mm", "RL", 1, "39191010", "Nova Era",
                 "789212100002"),
}

# New products by subgroup: name, unit, conversion factor of the unit, NCM, brand, and optional flags:
# "inactive" and "blocked" name the branches where the product is inactive or blocked for purchase.
def item(name, unit, factor, ncm, brand, **flags):
    return dict(name=name, unit=unit, factor=factor, ncm=ncm, brand=brand, **flags)


PRODUCTS = {
    "1.01": [
        item("Leite integral UHT 1 L caixa com 12", "CX", 12, "04012010", "Serra Azul"),
        item("Leite desnatado UHT 1 L", "UN", 1, "04011010", "Serra Azul"),
        item("Leite semidesnatado UHT 1 L", "UN", 1, "04012010", "Vale Verde"),
        item("Leite integral orgânico UHT 1 L", "UN", 1, "04012010", "Fazenda Nova"),
        item("Iogurte natural integral 170 g", "UN", 1, "04032000", "Serra Azul"),
        item("Iogurte de morango 170 g", "UN", 1, "04032000", "Vale Verde"),
        item("Bebida láctea de morango 900 g", "UN", 1, "04039000", "Vale Verde", inactive="0001"),
        item("Requeijão cremoso 200 g", "UN", 1, "04069090", "Serra Azul"),
        item("Creme de leite 200 g", "UN", 1, "04015029", "Fazenda Nova"),
        item("Leite condensado 395 g", "UN", 1, "04029900", "Fazenda Nova"),
        item("Leite em pó integral 400 g", "UN", 1, "04022110", "Serra Azul"),
        item("Queijo prato fatiado", "KG", 1, "04069020", "Serra Azul"),
        item("Queijo parmesão ralado 50 g", "UN", 1, "04062000", "Vale Verde"),
        item("Manteiga sem sal 200 g", "UN", 1, "04051000", "Fazenda Nova"),
        item("Doce de leite cremoso 400 g", "UN", 1, "19019020", "Fazenda Nova"),
        item("Queijo minas frescal", "KG", 1, "04061090", "Vale Verde"),
    ],
    "1.02": [
        item("Farinha de trigo tipo 1 1 kg", "UN", 1, "11010010", "Moinho Paulista"),
        item("Farinha de trigo integral 1 kg", "UN", 1, "11010010", "Moinho Paulista"),
        item("Farinha de trigo tipo 1 1 kg fardo com 10", "FD", 10, "11010010", "Dourado"),
        item("Macarrão parafuso 500 g", "UN", 1, "19021900", "Moinho Paulista"),
        item("Macarrão penne 500 g", "UN", 1, "19021900", "Dourado"),
        item("Macarrão espaguete 500 g fardo com 20", "FD", 20, "19021900", "Dourado"),
        item("Macarrão instantâneo 85 g", "UN", 1, "19023000", "Dourado"),
        item("Farinha de mandioca torrada 500 g", "UN", 1, "11062000", "Sabor da Roça"),
        item("Fubá mimoso 1 kg", "UN", 1, "11022000", "Sabor da Roça"),
        item("Amido de milho 500 g", "UN", 1, "11081200", "Dourado"),
        item("Mistura para bolo de chocolate 400 g", "UN", 1, "19012000", "Doce Lar"),
        item("Farinha de rosca 500 g", "UN", 1, "19059090", "Moinho Paulista"),
    ],
    "1.03": [
        item("Arroz branco tipo 1 5 kg", "PCT", 1, "10063021", "Bom Grão"),
        item("Arroz branco tipo 1 1 kg", "PCT", 1, "10063021", "Bom Grão"),
        item("Arroz parboilizado tipo 1 5 kg", "PCT", 1, "10063011", "Bom Grão"),
        item("Arroz integral 1 kg", "PCT", 1, "10062020", "Sabor da Roça"),
        item("Arroz branco tipo 1 5 kg fardo com 6", "FD", 6, "10063021", "Bom Grão"),
        item("Feijão carioca tipo 1 1 kg", "PCT", 1, "07133399", "Bom Grão"),
        item("Feijão preto tipo 1 1 kg", "PCT", 1, "07133319", "Bom Grão"),
        item("Feijão carioca tipo 1 1 kg fardo com 10", "FD", 10, "07133399", "Sabor da Roça"),
        item("Lentilha 500 g", "PCT", 1, "07134090", "Sabor da Roça"),
        item("Grão-de-bico 500 g", "PCT", 1, "07132090", "Sabor da Roça"),
        item("Aveia em flocos 500 g", "UN", 1, "11041200", "Bom Grão"),
        item("Milho para pipoca 500 g", "PCT", 1, "10059010", "Bom Grão"),
        item("Canjica de milho branca 500 g", "PCT", 1, "11042300", "Sabor da Roça"),
    ],
    "1.04": [
        item("Óleo de soja refinado 900 ml", "UN", 1, "15079011", "Dourado"),
        item("Óleo de soja refinado 900 ml caixa com 20", "CX", 20, "15079011", "Dourado"),
        item("Óleo de girassol 900 ml", "UN", 1, "15121911", "Dourado"),
        item("Azeite de oliva extravirgem 500 ml", "UN", 1, "15092000", "Mar Azul"),
        item("Margarina com sal 500 g", "UN", 1, "15171000", "Fazenda Nova"),
        item("Gordura vegetal 500 g", "UN", 1, "15162000", "Dourado", blocked="0002"),
    ],
    "1.05": [
        item("Açúcar refinado 1 kg", "PCT", 1, "17019900", "Doce Lar"),
        item("Açúcar cristal 5 kg", "PCT", 1, "17011400", "Doce Lar"),
        item("Açúcar refinado 1 kg fardo com 10", "FD", 10, "17019900", "Doce Lar"),
        item("Açúcar mascavo 1 kg", "PCT", 1, "17011400", "Sabor da Roça"),
        item("Chocolate ao leite 90 g", "UN", 1, "18063210", "Doce Lar"),
        item("Chocolate meio amargo 90 g", "UN", 1, "18063210", "Doce Lar"),
        item("Goiabada cascão 300 g", "UN", 1, "20079990", "Sabor da Roça"),
        item("Gelatina de morango 20 g", "UN", 1, "21069029", "Doce Lar"),
        item("Mel de abelha 500 g", "UN", 1, "04090000", "Sabor da Roça"),
        item("Adoçante líquido 100 ml", "UN", 1, "21069090", "Doce Lar"),
    ],
    "1.06": [
        item("Café torrado e moído 500 g", "PCT", 1, "09012100", "Café Colonial"),
        item("Café torrado e moído 500 g fardo com 10", "FD", 10, "09012100", "Café Colonial"),
        item("Café torrado em grãos 1 kg", "PCT", 1, "09012100", "Café Colonial"),
        item("Café solúvel 100 g", "UN", 1, "21011110", "Café Colonial"),
        item("Chá preto 15 sachês", "UN", 1, "09024000", "Café Colonial"),
        item("Chá de camomila 10 sachês", "UN", 1, "12119090", "Café Colonial"),
        item("Erva-mate para chimarrão 1 kg", "PCT", 1, "09030090", "Sabor da Roça"),
        item("Achocolatado em pó 400 g", "UN", 1, "18069000", "Doce Lar"),
        item("Achocolatado líquido 200 ml", "UN", 1, "22029900", "Vale Verde"),
    ],
    "1.07": [
        item("Milho verde em conserva 170 g", "UN", 1, "20058000", "Tempero Mineiro"),
        item("Ervilha em conserva 170 g", "UN", 1, "20054000", "Tempero Mineiro"),
        item("Seleta de legumes 170 g", "UN", 1, "20059900", "Tempero Mineiro"),
        item("Sardinha em óleo 125 g", "UN", 1, "16041310", "Mar Azul"),
        item("Atum sólido em óleo 170 g", "UN", 1, "16041410", "Mar Azul"),
        item("Sardinha em óleo 125 g caixa com 50", "CX", 50, "16041310", "Mar Azul"),
        item("Extrato de tomate 340 g", "UN", 1, "20029090", "Tempero Mineiro"),
        item("Palmito de açaí em conserva 300 g", "UN", 1, "20059100", "Tempero Mineiro"),
        item("Azeitona verde 200 g", "UN", 1, "20057000", "Mar Azul"),
        item("Pêssego em calda 450 g", "UN", 1, "20087010", "Pomar do Sul"),
    ],
    "1.08": [
        item("Biscoito cream cracker 200 g", "PCT", 1, "19059020", "Crocantino"),
        item("Biscoito de maisena 200 g", "PCT", 1, "19053100", "Crocantino"),
        item("Biscoito recheado de chocolate 140 g", "PCT", 1, "19053100", "Crocantino"),
        item("Biscoito recheado de morango 140 g", "PCT", 1, "19053100", "Crocantino"),
        item("Biscoito água e sal 200 g", "PCT", 1, "19059020", "Crocantino"),
        item("Biscoito cream cracker 200 g caixa com 40", "CX", 40, "19059020", "Crocantino"),
        item("Wafer de chocolate 110 g", "PCT", 1, "19053200", "Crocantino"),
        item("Batata palha 120 g", "PCT", 1, "20052000", "Crocantino"),
        item("Batata chips original 80 g", "PCT", 1, "20052000", "Crocantino"),
        item("Salgadinho de milho 80 g", "PCT", 1, "19041000", "Crocantino"),
        item("Amendoim torrado salgado 150 g", "PCT", 1, "20081100", "Crocantino"),
        item("Torrada tradicional 160 g", "PCT", 1, "19054000", "Crocantino", blocked="0001"),
    ],
    "1.09": [
        item("Presunto cozido fatiado", "KG", 1, "16024100", "Bom Corte"),
        item("Mortadela tradicional", "KG", 1, "16010000", "Bom Corte"),
        item("Salsicha tipo hot dog", "KG", 1, "16010000", "Bom Corte"),
        item("Linguiça toscana", "KG", 1, "16010000", "Bom Corte"),
        item("Bacon em manta", "KG", 1, "02101900", "Bom Corte"),
        item("Peito de peru defumado", "KG", 1, "16023100", "Bom Corte"),
        item("Salame italiano 100 g", "UN", 1, "16010000", "Bom Corte"),
        item("Carne bovina patinho resfriado", "KG", 1, "02013000", "Bom Corte"),
        item("Carne bovina acém resfriado", "KG", 1, "02013000", "Bom Corte"),
        item("Ovos brancos grandes bandeja com 30", "BDJ", 1, "04072100", "Santa Clara"),
        item("Ovos vermelhos grandes dúzia", "DZ", 1, "04072100", "Santa Clara"),
        item("Ovos de codorna 30 unidades", "BDJ", 1, "04072900", "Santa Clara", inactive="0002"),
    ],
    "1.10": [
        item("Sal refinado iodado 1 kg", "PCT", 1, "25010020", "Tempero Mineiro"),
        item("Sal refinado iodado 1 kg fardo com 10", "FD", 10, "25010020", "Tempero Mineiro"),
        item("Vinagre de álcool 750 ml", "UN", 1, "22090000", "Tempero Mineiro"),
        item("Maionese tradicional 500 g", "UN", 1, "21039011", "Tempero Mineiro"),
        item("Ketchup tradicional 400 g", "UN", 1, "21032010", "Tempero Mineiro"),
        item("Mostarda amarela 200 g", "UN", 1, "21033010", "Tempero Mineiro"),
        item("Molho de tomate tradicional 340 g", "UN", 1, "21032010", "Tempero Mineiro"),
        item("Caldo de galinha 57 g", "UN", 1, "21041011", "Tempero Mineiro"),
        item("Tempero completo 300 g", "UN", 1, "21039029", "Tempero Mineiro"),
        item("Orégano desidratado 10 g", "UN", 1, "12119090", "Tempero Mineiro"),
        item("Molho shoyu 150 ml", "UN", 1, "21031010", "Tempero Mineiro"),
    ],
    "1.11": [
        item("Frango inteiro congelado", "KG", 1, "02071200", "Frio Sul"),
        item("Filé de peito de frango congelado 1 kg", "PCT", 1, "02071400", "Frio Sul"),
        item("Coxa e sobrecoxa de frango congelada 1 kg", "PCT", 1, "02071400", "Frio Sul"),
        item("Batata pré-frita congelada 2 kg", "PCT", 1, "20041000", "Frio Sul"),
        item("Pão de queijo congelado 1 kg", "PCT", 1, "19012000", "Frio Sul"),
        item("Lasanha bolonhesa congelada 600 g", "UN", 1, "19022000", "Frio Sul"),
        item("Hambúrguer bovino congelado 672 g", "UN", 1, "16025000", "Frio Sul"),
        item("Polpa de fruta de maracujá 400 g", "PCT", 1, "08119000", "Pomar do Sul"),
        item("Sorvete de creme 1,5 L", "UN", 1, "21050010", "Frio Sul", inactive="0003"),
    ],
    "2.01": [
        item("Refrigerante de cola 2 L fardo com 6", "FD", 6, "22021000", "Horizonte"),
        item("Refrigerante de guaraná 2 L", "UN", 1, "22021000", "Horizonte"),
        item("Refrigerante de laranja 2 L", "UN", 1, "22021000", "Horizonte"),
        item("Refrigerante de limão 2 L", "UN", 1, "22021000", "Horizonte"),
        item("Refrigerante de cola 350 ml lata", "UN", 1, "22021000", "Horizonte"),
        item("Refrigerante de cola 350 ml fardo com 12", "FD", 12, "22021000", "Horizonte"),
        item("Refrigerante de guaraná 350 ml lata", "UN", 1, "22021000", "Horizonte"),
        item("Refrigerante de guaraná 2 L fardo com 6", "FD", 6, "22021000", "Horizonte"),
        item("Refrigerante de cola sem açúcar 2 L", "UN", 1, "22021000", "Horizonte"),
        item("Água tônica 350 ml lata", "UN", 1, "22021000", "Horizonte"),
    ],
    "2.02": [
        item("Água mineral sem gás 1,5 L", "UN", 1, "22011000", "Fonte Clara"),
        item("Água mineral com gás 500 ml", "UN", 1, "22011000", "Fonte Clara"),
        item("Água mineral sem gás 500 ml fardo com 12", "FD", 12, "22011000", "Fonte Clara"),
        item("Água mineral sem gás 1,5 L fardo com 6", "FD", 6, "22011000", "Fonte Clara"),
        item("Água mineral sem gás 20 L galão", "UN", 1, "22011000", "Fonte Clara"),
        item("Água de coco 1 L", "UN", 1, "20098990", "Pomar do Sul"),
    ],
    "2.03": [
        item("Suco de uva integral 1,5 L", "UN", 1, "20096100", "Pomar do Sul"),
        item("Suco de laranja integral 1 L", "UN", 1, "20091900", "Pomar do Sul"),
        item("Néctar de pêssego 1 L", "UN", 1, "22029900", "Pomar do Sul"),
        item("Néctar de manga 1 L", "UN", 1, "22029900", "Pomar do Sul"),
        item("Néctar de maracujá 1 L", "UN", 1, "22029900", "Pomar do Sul"),
        item("Néctar de uva 200 ml", "UN", 1, "22029900", "Pomar do Sul"),
        item("Néctar de uva 200 ml caixa com 27", "CX", 27, "22029900", "Pomar do Sul"),
        item("Refresco em pó de laranja 25 g", "UN", 1, "21069010", "Pomar do Sul"),
    ],
    "2.04": [
        item("Cerveja pilsen 350 ml lata", "UN", 1, "22030000", "Cervejaria Araucária"),
        item("Cerveja pilsen 350 ml fardo com 12", "FD", 12, "22030000", "Cervejaria Araucária"),
        item("Cerveja pilsen 600 ml garrafa", "UN", 1, "22030000", "Cervejaria Araucária"),
        item("Cerveja puro malte 355 ml long neck", "UN", 1, "22030000", "Cervejaria Araucária"),
        item("Cerveja puro malte 355 ml caixa com 24", "CX", 24, "22030000", "Cervejaria Araucária"),
        item("Cerveja sem álcool 350 ml lata", "UN", 1, "22029100", "Cervejaria Araucária"),
        item("Cerveja IPA 500 ml garrafa", "UN", 1, "22030000", "Cervejaria Araucária",
             blocked="0001,0002"),
    ],
    "2.05": [
        item("Vinho tinto seco cabernet 750 ml", "UN", 1, "22042100", "Vinícola Serra Gaúcha"),
        item("Vinho tinto suave 750 ml", "UN", 1, "22042100", "Vinícola Serra Gaúcha"),
        item("Vinho branco seco chardonnay 750 ml", "UN", 1, "22042100", "Vinícola Serra Gaúcha"),
        item("Espumante brut 750 ml", "UN", 1, "22041010", "Vinícola Serra Gaúcha"),
        item("Suco de uva tinto 1 L", "UN", 1, "20096100", "Vinícola Serra Gaúcha"),
        item("Cachaça prata 965 ml", "UN", 1, "22084000", "Sabor da Roça"),
        item("Vinho tinto seco 750 ml caixa com 6", "CX", 6, "22042100", "Vinícola Serra Gaúcha"),
    ],
    "2.06": [
        item("Energético 250 ml lata", "UN", 1, "22029900", "Volt"),
        item("Energético 250 ml fardo com 6", "FD", 6, "22029900", "Volt"),
        item("Isotônico de limão 500 ml", "UN", 1, "22029900", "Volt"),
        item("Isotônico de laranja 500 ml", "UN", 1, "22029900", "Volt"),
        item("Isotônico de tangerina 500 ml fardo com 6", "FD", 6, "22029900", "Volt"),
    ],
    "3.01": [
        item("Caixa de papelão ondulado 60x40x40", "UN", 1, "48191000", "Nova Era"),
        item("Caixa de papelão ondulado 30x20x15", "UN", 1, "48191000", "Nova Era"),
        item("Caixa de papelão 40x30x20 pacote com 25", "PCT", 25, "48191000", "Nova Era"),
        item("Fita adesiva marrom 48 mm x 100 m", "RL", 1, "39191010", "Nova Era"),
        item("Fita adesiva transparente 45 mm pacote com 4", "PCT", 4, "39191010", "Nova Era"),
        item("Fita crepe 18 mm x 50 m", "RL", 1, "48239099", "Nova Era"),
    ],
    "3.02": [
        item("Sacola plástica reciclada 40x50 cm 1000 un", "PCT", 1, "39232190", "Nova Era"),
        item("Saco de lixo 100 L com 10", "PCT", 1, "39232190", "Casa Limpa"),
        item("Saco de lixo 50 L com 20", "PCT", 1, "39232190", "Casa Limpa"),
        item("Filme de PVC 28 cm x 30 m", "RL", 1, "39204300", "Nova Era"),
        item("Filme stretch 50 cm x 300 m", "RL", 1, "39201099", "Nova Era"),
        item("Papel alumínio 30 cm x 7,5 m", "RL", 1, "76071990", "Nova Era"),
        item("Saco para freezer 2 L com 50", "PCT", 1, "39232190", "Nova Era"),
    ],
    "3.03": [
        item("Copo descartável 200 ml com 100", "PCT", 1, "39241000", "Nova Era"),
        item("Copo descartável 200 ml caixa com 25 pacotes", "CX", 25, "39241000", "Nova Era"),
        item("Prato descartável 21 cm com 10", "PCT", 1, "39241000", "Nova Era"),
        item("Talher descartável garfo com 50", "PCT", 1, "39241000", "Nova Era"),
        item("Guardanapo de papel 22x20 cm com 50", "PCT", 1, "48183000", "Maciez"),
        item("Bandeja de isopor 15x15 cm com 100", "PCT", 1, "39231090", "Nova Era"),
    ],
    "4.01": [
        item("Creme dental 90 g", "UN", 1, "33061000", "Sorriso Branco"),
        item("Creme dental 90 g caixa com 12", "CX", 12, "33061000", "Sorriso Branco"),
        item("Creme dental branqueador 70 g", "UN", 1, "33061000", "Sorriso Branco"),
        item("Escova dental macia", "UN", 1, "96032100", "Sorriso Branco"),
        item("Fio dental 50 m", "UN", 1, "33062000", "Sorriso Branco"),
        item("Enxaguante bucal 500 ml", "UN", 1, "33069000", "Sorriso Branco"),
    ],
    "4.02": [
        item("Sabonete em barra 85 g", "UN", 1, "34011190", "Flor de Lis"),
        item("Sabonete em barra 85 g pacote com 6", "PCT", 6, "34011190", "Flor de Lis"),
        item("Sabonete líquido 250 ml", "UN", 1, "34013000", "Flor de Lis"),
        item("Desodorante aerossol 150 ml", "UN", 1, "33072010", "Flor de Lis"),
        item("Desodorante roll-on 50 ml", "UN", 1, "33072010", "Flor de Lis"),
        item("Hidratante corporal 400 ml", "UN", 1, "33049910", "Flor de Lis"),
        item("Algodão em bolas 50 g", "PCT", 1, "56012190", "Flor de Lis"),
    ],
    "4.03": [
        item("Xampu uso diário 350 ml", "UN", 1, "33051000", "Flor de Lis"),
        item("Condicionador uso diário 350 ml", "UN", 1, "33059000", "Flor de Lis"),
        item("Xampu anticaspa 200 ml", "UN", 1, "33051000", "Flor de Lis"),
        item("Creme para pentear 300 ml", "UN", 1, "33059000", "Flor de Lis"),
    ],
    "4.04": [
        item("Papel higiênico folha dupla 30 m com 12", "PCT", 1, "48181000", "Maciez"),
        item("Papel higiênico folha simples 60 m com 4", "PCT", 1, "48181000", "Maciez"),
        item("Papel higiênico folha dupla fardo com 4 pacotes", "FD", 4, "48181000", "Maciez"),
        item("Papel toalha 2 rolos", "PCT", 1, "48182000", "Maciez"),
        item("Papel toalha interfolhado 1000 folhas", "PCT", 1, "48182000", "Maciez"),
        item("Lenço de papel com 50", "UN", 1, "48182000", "Maciez"),
        item("Fralda descartável infantil M com 30", "PCT", 1, "96190000", "Maciez"),
        item("Fralda descartável infantil G com 28", "PCT", 1, "96190000", "Maciez"),
        item("Absorvente com abas com 8", "PCT", 1, "96190000", "Maciez"),
    ],
    "5.01": [
        item("Sabão em pó 1,6 kg", "UN", 1, "34022000", "Brilho Total"),
        item("Sabão em pó 800 g caixa com 20", "CX", 20, "34022000", "Brilho Total"),
        item("Sabão líquido para roupas 3 L", "UN", 1, "34022000", "Brilho Total"),
        item("Amaciante de roupas 2 L", "UN", 1, "38099190", "Brilho Total"),
        item("Sabão em barra 200 g com 5", "PCT", 1, "34012090", "Brilho Total"),
        item("Alvejante sem cloro 1 L", "UN", 1, "34022000", "Brilho Total"),
    ],
    "5.02": [
        item("Detergente líquido neutro 500 ml", "UN", 1, "34022000", "Brilho Total"),
        item("Detergente líquido neutro 500 ml caixa com 24", "CX", 24, "34022000", "Brilho Total"),
        item("Esponja dupla face com 3", "PCT", 1, "39249000", "Casa Limpa"),
        item("Lã de aço com 8", "PCT", 1, "73239000", "Casa Limpa"),
        item("Detergente em pó para lava-louças 1 kg", "UN", 1, "34022000", "Brilho Total",
             inactive="0001,0002,0003"),
    ],
    "5.03": [
        item("Água sanitária 2 L", "UN", 1, "28289011", "Casa Limpa"),
        item("Água sanitária 1 L caixa com 12", "CX", 12, "28289011", "Casa Limpa"),
        item("Desinfetante de lavanda 2 L", "UN", 1, "38089419", "Casa Limpa"),
        item("Limpador multiuso 500 ml", "UN", 1, "34022000", "Casa Limpa"),
        item("Limpa-vidros 500 ml", "UN", 1, "34022000", "Casa Limpa"),
        item("Álcool 70% 1 L", "UN", 1, "22071090", "Casa Limpa"),
        item("Inseticida aerossol 300 ml", "UN", 1, "38089119", "Casa Limpa", blocked="0003"),
        item("Pano de chão alvejado", "UN", 1, "63071000", "Casa Limpa"),
    ],
    "6.01": [
        item("Ração para cães adultos 15 kg", "SC", 1, "23091000", "Amigo Fiel"),
        item("Ração para cães filhotes 1 kg", "PCT", 1, "23091000", "Amigo Fiel"),
        item("Ração para gatos adultos 10 kg", "SC", 1, "23091000", "Amigo Fiel"),
        item("Ração úmida para gatos 85 g", "UN", 1, "23091000", "Amigo Fiel"),
        item("Petisco para cães 65 g", "PCT", 1, "23091000", "Amigo Fiel"),
        item("Areia higiênica para gatos 4 kg", "PCT", 1, "25081000", "Amigo Fiel"),
    ],
}

# Goods bought for the branches' own use: their stock is that of the product they are (named by the product
# for resale). They carry no bar code of their own: reading one finds the product for resale.
CONSUMPTION = [
    ("Detergente líquido neutro 500 ml (uso interno)", "UN", "Detergente líquido neutro 500 ml"),
    ("Papel toalha interfolhado (uso interno)", "PCT", "Papel toalha interfolhado 1000 folhas"),
    ("Fita adesiva transparente 45 mm (uso interno)", "RL", "Fita adesiva transparente 45 mm"),
    ("Copo descartável 200 ml (uso interno)", "PCT", "Copo descartável 200 ml com 100"),
    ("Água sanitária 2 L (uso interno)", "UN", "Água sanitária 2 L"),
    ("Saco de lixo 100 L (uso interno)", "PCT", "Saco de lixo 100 L com 10"),
    ("Café torrado e moído 500 g (uso interno)", "PCT", "Café torrado e moído 500 g"),
]

# The account services are posted to: the stock product of every service, itself kept in no stock.
SERVICE_ACCOUNT = ("9.04.001", "Serviços tomados de terceiros", "UN")
# Services: tree subgroup, name, the service codes (national list) they are related to.
SERVICES = [
    ("9.02", "Manutenção preventiva de empilhadeira", ["14.01"]),
    ("9.02", "Manutenção de câmara fria", ["14.01"]),
    ("9.02", "Aferição e manutenção de balanças", ["14.01"]),
    ("9.02", "Limpeza e manutenção de ar-condicionado", ["14.01"]),
    ("9.02", "Recarga de extintores", ["14.01"]),
    ("9.03", "Frete municipal de mercadorias", ["16.02"]),
    ("9.03", "Entrega urbana de mercadorias", ["16.02", "16.01"]),
    ("9.04", "Mão de obra temporária de repositores", ["17.05"]),
    ("9.04", "Carga e descarga de mercadorias", ["17.05"]),
    ("9.04", "Reforma e pintura de loja", ["07.02"]),
    ("9.04", "Suporte técnico em informática", ["01.07"]),
]


def quoted(value):
    if value is None:
        return "NULL"
    if isinstance(value, (int, float)):
        return repr(value)
    return "'" + str(value).replace("'", "''") + "'"


def insert(table, columns, values):
    rows = ",\n".join("(" + ", ".join(quoted(v) for v in row) + ")" for row in values)
    return "INSERT INTO %s (%s) VALUES\n%s;\n" % (table, ", ".join(columns), rows)


def ean13(first12):
    total = sum(int(d) * (3 if i % 2 else 1) for i, d in enumerate(first12))
    return first12 + str((10 - total % 10) % 10)


def nfe_key(state, yymm, cnpj, series, number, code):
    body = "%s%s%s55%03d%09d1%08d" % (state, yymm, cnpj, series, number, code)
    total, weight = 0, 2
    for digit in reversed(body):
        total += int(digit) * weight
        weight = 2 if weight == 9 else weight + 1
    rest = total % 11
    return body + str(0 if rest < 2 else 11 - rest)


def build():
    """The new groups and subgroups, and every last-level product (the demo's own first)."""
    nodes, products = [], []
    next_node, next_product, brand_items = 8, 1001, {}
    for tree, name, known in TREE:
        if not known:
            nodes.append(("%010d" % next_node, tree, name, tree.count(".") + 1))
            next_node += 1
    last = {}
    for tree, (code, name, unit, factor, ncm, brand, ean) in EXISTING.items():
        group = tree[:-4]
        last[group] = max(last.get(group, 0), int(tree[-3:]))
        products.append(dict(tree=tree, code=code, stock=code, name=name, unit=unit, factor=factor, ncm=ncm,
                             brand=brand, ean=ean and ean13(ean), new=False, goods=True, cold=group in COLD))

    def add(group, **product):
        nonlocal next_product
        last[group] = last.get(group, 0) + 1
        code = "%010d" % next_product
        next_product += 1
        product.setdefault("stock", code)
        products.append(dict(dict(tree="%s.%03d" % (group, last[group]), code=code, new=True, cold=group in COLD,
                                  inactive="", blocked="", services=[]), **product))
        return products[-1]

    for group, items in PRODUCTS.items():
        for p in items:
            n = brand_items[p["brand"]] = brand_items.get(p["brand"], 100) + 1
            add(group, goods=True, ean=ean13("789" + PREFIX[p["brand"]] + "%05d" % n), **p)
    by_name = {p["name"]: p for p in products}
    for name, unit, resale in CONSUMPTION:
        twin = by_name[resale]
        add("9.01", name=name, unit=unit, factor=1, ncm=twin["ncm"], brand=None, ean=None, goods=True,
            stock=twin["code"])
    account = add(SERVICE_ACCOUNT[0][:-4], name=SERVICE_ACCOUNT[1], unit=SERVICE_ACCOUNT[2], factor=1, ncm=None,
                  brand=None, ean=None, goods=False)
    assert account["tree"] == SERVICE_ACCOUNT[0]
    for group, name, codes in SERVICES:
        add(group, name=name, unit="UN", factor=1, ncm=None, brand=None, ean=None, goods=False,
            stock=account["code"], services=codes)
    for p in products:
        assert len(p["name"]) <= 50 and len(p["unit"]) <= 3, p["name"]
        assert p["ncm"] is None or len(p["ncm"]) == 8, p["name"]
    products.sort(key=lambda p: p["tree"])
    return nodes, products


def placement(branch, p):
    """The default warehouse and location of a stock product at a branch."""
    if p["stock"] != p["code"] or not p["goods"]:
        return None, None
    if branch == "0001":
        if p["cold"]:
            return "ALM002", "LOC001"
        if p["tree"].startswith("3."):
            return None, None  # packaging is put away wherever there is room
        return ("ALM001", "LOC002") if p["tree"].startswith("2.") else ("ALM001", "LOC001")
    if branch in ("0002", "0003"):
        return "000001", "000001"
    return None, None


def catalogue_sql(nodes, products):
    out = ["-- Generated by scripts/demo_catalogue_sql.py; do not edit.\n"
           "-- The demo's product catalogue: brands; a supermarket distributor's products over the three-level tree\n"
           "-- (NCM, brand, unit and its conversion factor, EAN-13); goods for the branches' own use, whose stock is\n"
           "-- the product for resale; services, posted to the account of services taken; each branch's catalogue\n"
           "-- (placement, stock and lot control, a few inactive or blocked products); lots; the lots Serra Azul's\n"
           "-- NF-e 000012345 declares; the products of the service codes; Serra Azul's products bought by product.\n"]
    out.append("-- The head office and Campinas keep fiscal control of their entries; the head office takes part in the\n"
               "-- pilot of authorizations delivered to a destination warehouse.\n"
               "UPDATE FILIAL SET IDUTCTRLFISC = 'S' WHERE CDFILIAL IN ('0001', '0002');\n"
               "UPDATE FILIAL SET IDUTAFPILOTO = 'S' WHERE CDFILIAL = '0001';\n")
    out.append(insert("MARCA", ["CDMARCA", "NMMARCA"], [(c, n) for c, n, _ in BRANDS]))
    for p in products:
        if p["new"]:
            continue
        sets = "CDNCM = %s, CDMARCA = %s" % (quoted(p["ncm"]), quoted(BRAND[p["brand"]]))
        if p["ean"]:
            sets += ", CDPRODINTE = %s" % quoted(p["ean"])
        out.append("UPDATE PRODUTO SET %s WHERE CDPRODUTO = %s;\n" % (sets, quoted(p["code"])))
    values = [(code, tree, name, level, None, None, None, 1, "S", None, None) for code, tree, name, level in nodes]
    values += [(p["code"], p["tree"], p["name"], 3, p["unit"], p["stock"], p["ean"], p["factor"], "S", p["ncm"],
                BRAND.get(p["brand"])) for p in products if p["new"]]
    out.append(insert("PRODUTO", ["CDPRODUTO", "CDARVPROD", "NMPRODUTO", "CDNVPRODUTO", "SGUNIDADE", "CDPRODESTO",
                                  "CDPRODINTE", "VRFATOCONV", "IDPRODATIVPR", "CDNCM", "CDMARCA"], values))

    catalogue = []
    for branch in BRANCHES:
        for p in products:
            warehouse, location = placement(branch, p)
            stock = "S" if p["goods"] and p["stock"] == p["code"] else "N"
            lot = "S" if stock == "S" and p["cold"] and branch in LOT_BRANCHES else "N"
            catalogue.append((branch, p["code"], "N" if branch in p.get("inactive", "") else "S", warehouse,
                              location, stock, lot, "S" if branch in p.get("blocked", "") else "N"))
    out.append(insert("PRODUTOFILIAL", ["CDFILIAL", "CDPRODUTO", "IDATIVO", "CDALMOXARIFE", "CDLOCALESTOQ",
                                        "IDCTRLESTOQUE", "IDUTCTRLLOTE", "IDBLOQCOMPRA"], catalogue))

    # Lots: those the demo's postings received, and two of each of the first dairy products at each branch
    # that keeps lots.
    lots = [("0001", "0000000101", "L261101", "0001", "2026-11-28", "2027-03-28"),
            ("0001", "0000000101", "L261201", "0001", "2026-12-05", "2027-04-04"),
            ("0001", "0000000102", "L261102", "0001", "2026-11-27", "2027-01-26"),
            ("0002", "0000000102", "P261201", "0001", "2026-12-01", "2027-01-30")]
    dairy = [p for p in products if p["tree"].startswith("1.01.") and p["stock"] == p["code"]][:6]
    for branch in sorted(LOT_BRANCHES):
        for i, p in enumerate(dairy):
            for made, expires in (("2026-11-%02d" % (10 + i), "2027-02-%02d" % (10 + i)),
                                  ("2026-12-%02d" % (1 + i), "2027-03-%02d" % (1 + i))):
                lots.append((branch, p["code"], "L" + made[2:].replace("-", "") + branch[-1], "0001", made,
                             expires))
    out.append(insert("LOTEESTOQUE", ["CDFILIAL", "CDPRODESTO", "NRLOTEESTQ", "NRSUBLOTE", "DTFABRICACAO",
                                      "DTVALIDADE"], lots))

    key = "35261211222333000181550010000123451123456781"
    out.append(insert("NFEITEMLOTE", ["NRACESSONFE", "NRSEQITPROD", "NRLOTEPRODXML", "DTFABPRODXML",
                                      "DTVALPRODXML"],
                      [(key, "0001", "L261101", "2026-11-28", "2027-03-28"),
                       (key, "0002", "L261102", "2026-11-27", "2027-01-26")]))

    relations = sorted((code, p["code"]) for p in products for code in p.get("services", []))
    out.append(insert("PRODSERVICO", ["CDSERVICOPROD", "CDPRODUTO"], relations))

    # Serra Azul's new products, bought by product, to its Ribeirão Preto address (the demo's own three are
    # already related).
    out.append(insert("PRODXFORNDF", ["IDENTRSAIDOP", "CDTIPOOPER", "CDFORNECED", "CDPRODUTO", "IDUTILIZA", "CDPAIS",
                                      "SGESTADO", "CDMUNICIPIO"],
                      [("E", "01", "J11222333000181", p["code"], "S", "0055", "SP", "43402")
                       for p in products if p["new"] and p["brand"] == "Serra Azul"]))
    return "".join(out)


# Curitiba's purchases before the demo month: supplier, number (series 1), issue and entry dates, items (product
# name, quantity, unit price, discount) and whether the posting was cancelled. The suppliers' state (IBGE code and
# letters) and municipality.
SUPPLIERS = {
    "J45678901000175": ("35", "SP", "50308"),
    "J24681357000140": ("35", "SP", "43402"),
    "J48151623000191": ("41", "PR", "06902"),
    "J67890123000116": ("33", "RJ", "04557"),
}
PURCHASES = [
    ("J45678901000175", 1010, "2026-10-05", "2026-10-07",
     [("Farinha de trigo tipo 1 5 kg", 40, 27.5, 0), ("Macarrão espaguete 500 g", 200, 2.9, 0),
      ("Farinha de trigo tipo 1 1 kg", 120, 5.2, 0)], False),
    ("J24681357000140", 45101, "2026-10-12", "2026-10-13",
     [("Presunto cozido fatiado", 35.4, 29.9, 0), ("Mortadela tradicional", 22.8, 14.5, 0),
      ("Carne bovina patinho resfriado", 60.25, 42.9, 12.5)], False),
    ("J67890123000116", 79001, "2026-10-20", "2026-10-22",
     [("Refrigerante de cola 2 L", 240, 7.49, 0), ("Refrigerante de cola 2 L fardo com 6", 40, 43.8, 0),
      ("Água mineral sem gás 500 ml fardo com 12", 30, 11.9, 0)], False),
    ("J48151623000191", 7201, "2026-10-28", "2026-10-29",
     [("Ovos brancos grandes bandeja com 30", 80, 17.9, 0), ("Ovos vermelhos grandes dúzia", 50, 8.2, 0)], False),
    ("J45678901000175", 1047, "2026-11-09", "2026-11-10",
     [("Farinha de trigo tipo 1 5 kg", 50, 28.75, 0), ("Farinha de trigo tipo 1 1 kg fardo com 10", 30, 52.0, 0),
      ("Farinha de trigo integral 1 kg", 120, 5.49, 0)], False),
    ("J24681357000140", 45188, "2026-11-16", "2026-11-17",
     [("Presunto cozido fatiado", 28.6, 31.5, 0), ("Carne bovina patinho resfriado", 44.1, 44.0, 0)], False),
    # Cancelled after the supplier's error in the price: its cost never counts.
    ("J45678901000175", 1052, "2026-11-20", "2026-11-23", [("Farinha de trigo tipo 1 5 kg", 50, 35.0, 0)], True),
    ("J67890123000116", 79044, "2026-11-24", "2026-11-25",
     [("Refrigerante de cola 2 L", 180, 7.69, 0), ("Cerveja pilsen 350 ml lata", 120, 3.59, 0),
      ("Cerveja pilsen 350 ml fardo com 12", 20, 41.0, 20)], False),
]


def history_sql(products):
    by_name = {p["name"]: p for p in products}
    headers, items, installments = [], [], []
    for n, (supplier, number, issued, entered, lines, cancelled) in enumerate(PURCHASES):
        posting = "%010d" % (5 + n)
        state, uf, town = SUPPLIERS[supplier]
        key = nfe_key(state, issued[2:4] + issued[5:7], supplier[1:], 1, number, 31415926 - 7 * number)
        cfop = "1102" if uf == "PR" else "2102"
        total = discounts = 0
        for seq, (name, quantity, price, discount) in enumerate(lines, 1):
            p = by_name[name]
            value = round(quantity * price, 2)
            net = round(value - discount, 2)
            total, discounts = round(total + value, 2), round(discounts + discount, 2)
            items.append(("0003", posting, "%04d" % seq, p["code"], "000", p["unit"], quantity, price, value,
                          discount, 0, "0", "S", "S", "001", net, net, "0003", name, "N", "000001", "000001",
                          "0003", p["stock"], cfop, p["factor"], "N", "0", "N"))
        value = round(total - discounts, 2)
        headers.append(("E", "01", "C" if cancelled else "P", "N", "DFE", "N", "N", "55", "S", "S", "N", "000001",
                        "000001", "0", "0", "1", "1", "ADMIN", "0003", posting, "01", "F", supplier, "J",
                        supplier[1:], "1", "%09d" % number, issued, entered, entered + " 10:30:00", "9087654321",
                        total, value, "S", "S", uf, town, "Compra para comercialização", "N", "0003", entered,
                        "10:30", key))
        if not cancelled:
            due = (datetime.date.fromisoformat(entered) + datetime.timedelta(days=28)).isoformat()
            installments.append(("0003", posting, "01", "01", 28, due, value, "A", due, value,
                                 "NF %09d - parcela 1/1" % number, "000001", "000210", "01"))

    out = ["-- Generated by scripts/demo_catalogue_sql.py; do not edit.\n"
           "-- Curitiba's purchases of October and November 2026 (postings 0003/0000000005 to 12), so that products\n"
           "-- have a last purchase cost: flour and pasta from Moinho Paulista, meats from Bom Corte, eggs from Santa\n"
           "-- Clara, drinks from Horizonte. Moinho Paulista's 000001052 (0003/0000000011) was cancelled: its price\n"
           "-- never counts. Labels printed for the first purchase, two of them used, and an audit of its pasta.\n"]
    out.append(insert("NOTAFISCAL", [
        "IDENTRSAIDOP", "CDEMPRESA", "IDSTATUS", "IDBLOQUEADO", "IDSISTEMA", "IDNFDEVOOL", "IDNFGERADAVIAXML",
        "CDMODDOCFISC", "IDDOCFISCAL", "IDDOCCONTAB", "IDNOTAIMPAF", "CDALMOXARIFE", "CDLOCALESTOQ", "IDERROS",
        "IDAVISOS", "IDTIPOEMISNFE", "IDTPAMBNFE", "CDOPERADOR", "CDFILIAL", "NRLANCTONF", "CDTIPOOPER",
        "IDORIGDESTNF", "CDFORNECED", "IDTPIJURNF", "NRINSJURNF", "CDSERIEENTR", "NRNOTAFISC", "DTEMISSAO",
        "DTENTRSAID", "DTLANCAMENNF", "CDINSCESTA", "VRPRODUTOS", "VRNOTAFISC", "IDGERAVENC", "IDUTILVENC",
        "SGESTADO", "CDMUNICIPIO", "DSCDFISOPENF", "IDDOCFINANC", "CDFILIRECE", "DTCOMPFATUR", "HORA",
        "NRACESSONFE"], headers))
    out.append(insert("ITEMPRODUTO", [
        "CDFILIAL", "NRLANCTONF", "NRSEQITPROD", "CDPRODUTO", "CDSITUTRIBPR", "SGUNIDADE", "QTITEMPROD", "VRUNITITEM",
        "VRTOTAITEM", "VRDESCITEM", "VRDESPERITEM", "IDAVISOSITEM", "IDCONFORITEM", "IDATUVRESTOQ", "CDSUFXCFOPPR",
        "VRCONTITEM", "VRBRUTITEM", "CDFILDEST", "DSPRODEMIS", "IDDELETE", "CDALMOXARIFE", "CDLOCALESTOQ",
        "CDFILIMOVI", "CDPRODESTO", "CDFISOPEITEM", "VRFATOCONV", "IDITEMORIGEM", "IDORIGEMPROD", "IDPRODBONIF"],
        items))
    out.append(insert("CONTAPAGAR", [
        "CDFILIAL", "NRLANCTONF", "NRSEQVENPAG", "NRPARCELAPAG", "QTDIASVENPAG", "DTORIGVENPAG", "VRORIGPAG",
        "IDSTATPAG", "DTATUAVENPAG", "VRATUAPAG", "DSCONTAPAG", "CDTPCTPAGAR", "CDCLASSFINA", "CDEMPRESA"],
        installments))
    out.append(insert("ETIQPRODUTO", ["CDFILIAL", "NRLANCTONF", "NRSEQITPROD", "NRETIQUETA", "IDSTATUSETIQ"],
                      [("0003", "0000000005", "0001", "E000000101", "U"),
                       ("0003", "0000000005", "0001", "E000000102", "A"),
                       ("0003", "0000000005", "0002", "E000000103", "U")]))
    out.append(insert("AUDITITEMNF", ["CDFILIAL", "NRLANCTONF", "NRSEQITPROD", "DTAUDITORIA", "CDOPERADOR",
                                      "DSAUDITORIA"],
                      [("0003", "0000000005", "0002", "2026-10-09 14:20:00", "GERENTE",
                        "Conferência física: 200 pacotes recebidos e armazenados.")]))
    return "".join(out)


def main():
    nodes, products = build()
    for name, text in (("0017_catalogo_produtos.sql", catalogue_sql(nodes, products)),
                       ("0018_historico_compras.sql", history_sql(products))):
        with open(os.path.join(DEMO, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
    print("%d products, %d of them services" % (len(products), sum(1 for p in products if not p["goods"])),
          file=sys.stderr)


if __name__ == "__main__":
    main()
